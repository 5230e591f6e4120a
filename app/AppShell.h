// Start-up and the message loop of T/ROVA.
#pragma once

// Creates the main window and the save-changes dialog and runs the message loop; needs the
// application object. Returns the exit status: 0, or 1 when profile.dat cannot be opened.
int runApplication();

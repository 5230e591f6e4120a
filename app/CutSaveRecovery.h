// At start-up, before profile.dat is read: a save of it that a kill or a power loss cut short
// is offered to be undone.
#pragma once

// Asks whether to restore the old contents when fileName's journal shows a cut save: "&Ano"
// writes them back, "&Ne" keeps the file as it is and says where the journal was set aside. A
// file that changed while the question was open is not restored: it is kept as after "&Ne",
// with a word saying so. A save that ended leaves nothing to ask about; its journal goes
// without a word.
void offerToUndoCutSave(const char* fileName);

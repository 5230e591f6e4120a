// The application's one error report: a failure no handler catches is shown here, and the
// handler that failed is abandoned while the program goes on.
#pragma once

#include <exception>
#include <functional>

class QWidget;

namespace errors {

// Shows the failure's text with the stop icon, titled with the application title.
void report(QWidget* parent, const std::exception& failure);

// Runs an event handler. A failure escaping it is reported; returns whether it ran to its end.
// A profile.dat that cannot be opened is not reported here: it ends the program at start-up.
bool runReported(QWidget* parent, const std::function<void()>& handler);

} // namespace errors

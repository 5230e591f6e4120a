// The application's one error report: a failure no handler catches is shown here, and the
// handler that failed is abandoned while the program goes on.
#pragma once

#include <exception>
#include <functional>

class QString;
class QWidget;

namespace errors {

// The words for a failure: the store's failures (ProfileOpenError, ProfileSaveError) from
// platform/Texts.h around the names and paths they carry, any other failure's own text
// (Windows-1250 bytes).
QString textOf(const std::exception& failure);

// Shows the failure's text with the stop icon, titled with the application title.
void report(QWidget* parent, const std::exception& failure);

// Runs an event handler. A failure escaping it is reported; returns whether it ran to its end.
// A profile.dat that cannot be opened is not reported here: it ends the program at start-up.
bool runReported(QWidget* parent, const std::function<void()>& handler);

} // namespace errors

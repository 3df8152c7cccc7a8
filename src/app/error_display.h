// The platform's error display: the one place where an error that escaped
// an event handler is shown to the user.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace zorvane::app {

// `message` with a period appended when it is not empty and the first byte
// of its last UTF-8 character is above 0x2E ('.'): a message ending in a
// letter, a digit, a colon or a multi-byte character gets one; one ending in
// '.', ',', '-', ')', '!' or a space does not.
std::string WithPeriod(std::string_view message);

// Shows `message` after the period rule in a modal message box with `title`
// as caption, an OK button and the stop icon; returns when it is closed.
// Releases the mouse from a widget that holds it first.
void ShowErrorMessage(std::string_view message, std::string_view title);

}  // namespace zorvane::app

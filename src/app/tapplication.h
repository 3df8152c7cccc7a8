// The application object: Qt's, plus the application title and the one
// place where errors that escape event handlers are caught and shown.
#pragma once

#include <QApplication>

#include <string>

namespace zorvane::app {

class TApplication final : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    // Derived from the executable's path (ApplicationTitle).
    const std::string& Title() const { return m_title; }

    // Dispatches as QApplication does; an exception that escapes the
    // receiver's handler is shown by the error display and the event counts
    // as not handled. The program then runs on.
    bool notify(QObject* receiver, QEvent* event) override;

    // The error display (ShowErrorMessage with the application title).
    void ShowException(const std::string& message) const;

private:
    std::string m_title;
};

}  // namespace zorvane::app

#pragma once

#include <functional>
#include <exception>

#include <QApplication>

// The application object. An exception that escapes an event handler ends that event's handling
// and is handed to the error handler (a message box with its text); the program goes on.
class VantellApplication : public QApplication {
    Q_OBJECT
public:
    using ErrorHandler = std::function<void(const QString &text)>;

    // What must happen before the application object exists: the page scheme, the browser's
    // sandbox (off only when running as root, where it cannot start), shared GL contexts, the
    // window system (chosenWindowSystem).
    static void prepareProcess();

    VantellApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Replaces the error handler; an empty one restores the default message box.
    void setErrorHandler(ErrorHandler handler);
    // Shows an error's text as the program does for every error no handler caught.
    void reportError(const QString &text);

    static VantellApplication *instance();

private:
    ErrorHandler m_errorHandler;
};

// The text of the exception being handled, for the error box.
QString exceptionText(const std::exception_ptr &error);

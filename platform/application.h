#pragma once

#include <QApplication>

namespace platform {

// The desktop program's application object. An error that escapes any event
// handler is shown in the error box and the event loop goes on with the next event.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The same for the programs without a window: the error goes to standard error.
class CoreApplication : public QCoreApplication {
  public:
    CoreApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform

#include "platform/application.h"

#include <exception>

#include "platform/messagebox.h"

namespace platform {

namespace {

template <typename Base>
bool notifyGuarded(Base* app, QObject* receiver, QEvent* event) {
    try {
        return app->Base::notify(receiver, event);
    } catch (const std::exception& e) {
        errorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        errorBox(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    return notifyGuarded<QApplication>(this, receiver, event);
}

CoreApplication::CoreApplication(int& argc, char** argv) : QCoreApplication(argc, argv) {}

bool CoreApplication::notify(QObject* receiver, QEvent* event) {
    return notifyGuarded<QCoreApplication>(this, receiver, event);
}

}  // namespace platform

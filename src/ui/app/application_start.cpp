#include "app/application_start.h"

#include <unistd.h>

#include <QOpenGLContext>
#include <QQuickWindow>

#include "app/program_identity.h"

namespace wexbo {

namespace {

// Web views draw through OpenGL where the display offers it, otherwise in software. Without OpenGL
// (a remote X display, a virtual frame buffer without GLX) Qt 6.4 would still composite them
// through OpenGL and crash the second time a window with a web view is shown.
void ChooseWebViewRendering() {
    QOpenGLContext probe;
    if (!probe.create()) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    QApplication::setOrganizationName(QString::fromUtf8(kProgramMaker));
    ChooseWebViewRendering();
    return app;
}

}  // namespace wexbo

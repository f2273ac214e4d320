// itarnvale-gallery DIR [SCENE...]: renders every registered scene offscreen into
// DIR/<name>.png and prints the paths, so the controls can be looked at without a phone.
#include "gallery/GalleryScene.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Application.h"
#include "platform/ui/WebView.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

std::vector<GalleryScene>& galleryScenes()
{
    static std::vector<GalleryScene> scenes;
    return scenes;
}

namespace {

void settle(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Lets web views in the widget finish loading (at most 20 s), then lets animations end.
void waitForContent(QWidget* widget)
{
    QDeadlineTimer deadline(20000);
    auto loading = [widget] {
        const QList<WebView*> views = widget->findChildren<WebView*>();
        for (WebView* view : views) {
            if (view->isLoading())
                return true;
        }
        return false;
    };
    settle(200);
    while (loading() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // Slides and the engine's first paint.
    settle(widget->findChild<WebView*>() ? 1500 : 400);
}

} // namespace

int main(int argc, char** argv)
{
    // Runs without a display: offscreen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    // The scenes draw at one to one whatever the user keeps in the settings (the window's zoom).
    QTemporaryDir settingsFolder;
    SettingsStore::setStandardPath(settingsFolder.filePath(QStringLiteral("gallery.ini")));
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: itarnvale-gallery [--device phone|phone-568|tablet] DIR [SCENE...]\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!QDir().mkpath(dir.absolutePath())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(dir.absolutePath()));
        return 1;
    }
    const QStringList only = args.mid(2);

    QTextStream out(stdout);
    int failures = 0;
    for (const GalleryScene& scene : galleryScenes()) {
        if (!only.isEmpty() && !only.contains(scene.name))
            continue;
        QWidget* widget = scene.make();
        if (!widget) {
            std::fprintf(stderr, "%s: no widget\n", qPrintable(scene.name));
            ++failures;
            continue;
        }
        if (widget->size().isEmpty())
            widget->resize(widget->sizeHint());
        widget->show();
        settle(50);
        if (scene.prepare)
            scene.prepare(widget);
        waitForContent(widget);
        const QString path = dir.absoluteFilePath(scene.name + QStringLiteral(".png"));
        if (widget->grab().save(path)) {
            out << path << Qt::endl;
        } else {
            std::fprintf(stderr, "%s: cannot write %s\n", qPrintable(scene.name), qPrintable(path));
            ++failures;
        }
        delete widget;
        settle(50);
    }
    return failures == 0 ? 0 : 1;
}

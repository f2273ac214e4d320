// itarnvale-gallery [--device KIND] [--scale N] DIR [SCENE...]: renders every registered scene
// offscreen into DIR/<name>.png and prints the paths, so the controls can be looked at without a
// phone. Without --scale it then renders them again at a device pixel ratio of 2 into
// DIR/2x/<name>.png (the same scenes, twice the pixels), by running itself with --scale 2;
// with --scale it renders once, at that ratio.
#include "gallery/GalleryScene.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Application.h"
#include "platform/ui/WebView.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <cstdio>
#include <cstring>

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

// Takes "--scale N" out of the arguments; the ratio must be set before the application starts.
QByteArray takeScale(int& argc, char** argv)
{
    QByteArray scale;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc)
            scale = argv[++i];
        else
            argv[out++] = argv[i];
    }
    argc = out;
    argv[argc] = nullptr;
    return scale;
}

// The same scenes at twice the pixels, by a second run of this program.
int renderDoubleScale(const QStringList& originalArguments, const QString& dir)
{
    QStringList arguments = originalArguments.mid(1);
    const int dirIndex = int(arguments.indexOf(dir));
    if (dirIndex < 0)
        return 1;
    arguments[dirIndex] = QDir(dir).absoluteFilePath(QStringLiteral("2x"));
    arguments.prepend(QStringLiteral("2"));
    arguments.prepend(QStringLiteral("--scale"));
    return QProcess::execute(QCoreApplication::applicationFilePath(), arguments);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList originalArguments;
    for (int i = 0; i < argc; ++i)
        originalArguments.append(QString::fromLocal8Bit(argv[i]));
    const QByteArray scale = takeScale(argc, argv);
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
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
        std::fprintf(stderr, "usage: itarnvale-gallery [--device phone|phone-568|tablet] [--scale N] DIR [SCENE...]\n");
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
    if (scale.isEmpty() && renderDoubleScale(originalArguments, args.at(1)) != 0)
        ++failures;
    return failures == 0 ? 0 : 1;
}

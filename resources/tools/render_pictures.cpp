// Renders every resources/svg/<name>.svg into resources/images/<name> (PNG, or JPEG on a solid
// background for names ending in .jpg) at the SVG's own size. Run by render-pictures.sh.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_pictures SVG_DIR OUT_DIR\n");
        return 2;
    }
    const QDir in(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    int failures = 0;
    for (const QString& file : in.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name)) {
        QSvgRenderer renderer(in.filePath(file));
        const QString name = file.chopped(4);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
            ++failures;
            continue;
        }
        const bool jpeg = name.endsWith(QLatin1String(".jpg"));
        QImage image(renderer.defaultSize(), jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        image.fill(jpeg ? Qt::black : Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        if (!image.save(out.filePath(name), jpeg ? "JPG" : "PNG", jpeg ? 95 : -1)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

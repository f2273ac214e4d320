// Gallery scene: a contact sheet of every picture of the application, with its name.
#include "GalleryScene.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"

#include <QDir>
#include <QPainter>
#include <QWidget>

namespace {
class ContactSheet : public QWidget
{
public:
    ContactSheet()
    {
        m_names = QDir(QStringLiteral(":/images")).entryList(QDir::Files, QDir::Name);
        const int rows = int((m_names.size() + kColumns - 1) / kColumns);
        resize(kColumns * kCell.width(), rows * kCell.height());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        GraphicsContext ctx(&painter);
        const QFont font = Fonts::systemFont(10);
        for (int i = 0; i < m_names.size(); ++i) {
            const QRect cell((i % kColumns) * kCell.width(), (i / kColumns) * kCell.height(), kCell.width(), kCell.height());
            // A checkerboard-free mid grey shows white, black and transparent parts alike.
            ctx.setFillColor((i / kColumns + i % kColumns) % 2 ? QColor(78, 84, 92) : QColor(66, 72, 80));
            ctx.fillRect(cell);
            const QImage image(QStringLiteral(":/images/") + m_names.at(i));
            const QSizeF box(kCell.width() - 16, kCell.height() - 30);
            QSizeF size = image.size();
            if (size.width() > box.width() || size.height() > box.height())
                size.scale(box, Qt::KeepAspectRatio);
            ctx.drawImage(QRectF(cell.x() + (cell.width() - size.width()) / 2, cell.y() + 6 + (box.height() - size.height()) / 2,
                                 size.width(), size.height()),
                          image);
            ctx.setFillColor(QColor(235, 235, 235));
            ctx.drawTextInRect(QStringLiteral("%1  %2x%3").arg(m_names.at(i)).arg(image.width()).arg(image.height()),
                               QRectF(cell.x() + 3, cell.bottom() - 18, cell.width() - 6, 14), font,
                               LineBreakMode::MiddleTruncation, TextAlignment::Center);
        }
    }

private:
    static constexpr int kColumns = 6;
    static constexpr QSize kCell{130, 124};
    QStringList m_names;
};
} // namespace

GALLERY_SCENE(QStringLiteral("pictures"), [] { return static_cast<QWidget*>(new ContactSheet); });

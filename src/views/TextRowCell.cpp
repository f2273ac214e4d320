#include "views/TextRowCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"

#include <algorithm>

namespace {
const QString kIdentifier = QStringLiteral("Default");
const QColor kRowBackground(34, 34, 34);
constexpr int kLabelInset = 5;
} // namespace

TextRowCell::TextRowCell()
    : TableViewCell(TableViewCellStyle::Default, kIdentifier)
{
    setAccessoryType(TableViewCellAccessoryType::None);
    setBackgroundColor(kRowBackground);
    InterfaceLayout::setBackgroundColor(contentView(), kRowBackground);
    setSelectionStyle(TableViewCellSelectionStyle::Gray);
    // One font for every row of the kind.
    static const QFont font = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12);
    const int width = Device::screenBounds().width();
    QWidget* row = InterfaceLayout::addView(contentView(), QStringLiteral("row"), QRect(0, 0, width, kContentHeight),
                                            kRowBackground);
    m_label = InterfaceLayout::addLabel(row, QStringLiteral("name"), QString(),
                                        QRect(kLabelInset, 0, width - kLabelInset, kContentHeight), font, textColor());
    static const QFont small = Fonts::fontWithName(QStringLiteral("Arial"), 10);
    m_detail = InterfaceLayout::addLabel(row, QStringLiteral("detail"), QString(),
                                         QRect(kLabelInset, 19, width - kLabelInset, 14), small, textColor());
    m_detail->hide();
}

void TextRowCell::setDetail(const QString& text)
{
    const int width = m_label->width();
    m_detail->setText(text);
    m_detail->setVisible(!text.isEmpty());
    m_label->setGeometry(kLabelInset, 0, width, text.isEmpty() ? kContentHeight : 20);
}

void TextRowCell::reserveRight(int points)
{
    const int width = Device::screenBounds().width() - kLabelInset - std::max(0, points);
    m_label->resize(width, m_label->height());
    m_detail->resize(width, m_detail->height());
}

TextRowCell* TextRowCell::dequeue(TableView* tableView)
{
    if (auto* cell = qobject_cast<TextRowCell*>(tableView->dequeueReusableCellWithIdentifier(kIdentifier)))
        return cell;
    return new TextRowCell;
}

QColor TextRowCell::textColor()
{
    return QColor::fromRgbF(0.8f, 0.8f, 0.8f);
}

#include "screens/settings/DisplaySettingsView.h"

#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/ScrollView.h"

namespace {
const QString kLayout = QStringLiteral("DisplaySettings");
const QString kClass = QStringLiteral("DisplaySettingsView");
} // namespace

DisplaySettingsView::DisplaySettingsView(QWidget* parent) : QWidget(parent) {}

void DisplaySettingsView::registerClass()
{
    static const bool registered = [] {
        InterfaceLayout::registerClass(kClass, [](QWidget* parent) -> QWidget* { return new DisplaySettingsView(parent); });
        return true;
    }();
    Q_UNUSED(registered);
}

DisplaySettingsView* DisplaySettingsView::create(QWidget* parent)
{
    registerClass();
    QWidget* root = InterfaceLayout::load(kLayout);
    auto* view = qobject_cast<DisplaySettingsView*>(root);
    if (!view) { // the layout names another root class: build it into a view of ours
        delete root;
        view = new DisplaySettingsView;
        InterfaceLayout::load(kLayout, view);
    }
    view->m_scrollView = view->findChild<ScrollView*>(QStringLiteral("scrollView"));
    if (parent)
        view->setParent(parent);
    return view;
}

void DisplaySettingsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_scrollView)
        m_scrollView->setGeometry(rect());
    Q_EMIT resized();
}

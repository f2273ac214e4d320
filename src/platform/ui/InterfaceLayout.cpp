#include "platform/ui/InterfaceLayout.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <QHash>
#include <QMutex>
#include <QPalette>
#include <QWidget>

namespace {
struct LayoutEntry
{
    QString rootClass;
    InterfaceLayout::Builder builder;
};

struct Registry
{
    QMutex lock;
    QHash<QString, LayoutEntry> layouts;
    QHash<QString, InterfaceLayout::ClassFactory> classes;

    Registry()
    {
        // The application's own layouts (referenced here so a static link keeps them).
        layouts.insert(QStringLiteral("LoginView"), {QStringLiteral("ScrollView"), &InterfaceLayouts::buildLoginView});
        layouts.insert(QStringLiteral("HeaderView"), {QStringLiteral("HeaderView"), &InterfaceLayouts::buildHeaderView});
        layouts.insert(QStringLiteral("LoadMoreItem"), {QStringLiteral("LoadMoreItemView"), &InterfaceLayouts::buildLoadMoreItem});
        layouts.insert(QStringLiteral("ServerSettings"), {QStringLiteral("UIView"), &InterfaceLayouts::buildServerSettings});
        layouts.insert(QStringLiteral("DisplaySettings"),
                       {QStringLiteral("DisplaySettingsView"), &InterfaceLayouts::buildDisplaySettings});
        layouts.insert(QStringLiteral("FavoriteCompose"), {QStringLiteral("UIView"), &InterfaceLayouts::buildFavoriteCompose});
        layouts.insert(QStringLiteral("FavoriteDisplaySettings"),
                       {QStringLiteral("FavoriteDisplaySettingsView"), &InterfaceLayouts::buildFavoriteDisplaySettings});
        classes.insert(QStringLiteral("ScrollView"), [](QWidget* parent) -> QWidget* { return new ScrollView(parent); });
    }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}
} // namespace

QWidget* InterfaceLayout::load(const QString& name, QWidget* root)
{
    Registry& r = registry();
    LayoutEntry entry;
    {
        QMutexLocker locker(&r.lock);
        auto it = r.layouts.constFind(name);
        if (it == r.layouts.constEnd())
            return nullptr;
        entry = *it;
    }
    if (!root)
        root = create(entry.rootClass, nullptr, [](QWidget* parent) { return new QWidget(parent); });
    if (root->objectName().isEmpty())
        root->setObjectName(name);
    entry.builder(root);
    return root;
}

bool InterfaceLayout::hasLayout(const QString& name)
{
    QMutexLocker locker(&registry().lock);
    return registry().layouts.contains(name);
}

QString InterfaceLayout::rootClassName(const QString& name)
{
    QMutexLocker locker(&registry().lock);
    return registry().layouts.value(name).rootClass;
}

void InterfaceLayout::registerLayout(const QString& name, const QString& rootClassName, Builder builder)
{
    QMutexLocker locker(&registry().lock);
    registry().layouts.insert(name, {rootClassName, std::move(builder)});
}

void InterfaceLayout::registerClass(const QString& className, ClassFactory factory)
{
    QMutexLocker locker(&registry().lock);
    registry().classes.insert(className, std::move(factory));
}

QWidget* InterfaceLayout::create(const QString& className, QWidget* parent, const ClassFactory& fallback)
{
    ClassFactory factory;
    {
        QMutexLocker locker(&registry().lock);
        factory = registry().classes.value(className);
    }
    return factory ? factory(parent) : fallback(parent);
}

void InterfaceLayout::setBackgroundColor(QWidget* view, const QColor& color)
{
    if (auto* scroll = qobject_cast<ScrollView*>(view)) {
        scroll->setBackgroundColor(color);
        return;
    }
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, color);
    view->setPalette(palette);
    view->setAutoFillBackground(color.isValid() && color.alpha() > 0);
}

QWidget* InterfaceLayout::addView(QWidget* parent, const QString& name, const QRect& frame, const QColor& background)
{
    auto* view = new QWidget(parent);
    view->setObjectName(name);
    view->setGeometry(frame);
    if (background.isValid())
        setBackgroundColor(view, background);
    return view;
}

Label* InterfaceLayout::addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& frame,
                                 const QFont& font, const QColor& color)
{
    auto* label = new Label(text, parent);
    label->setObjectName(name);
    label->setGeometry(frame);
    label->setFont(font);
    label->setTextColor(color);
    return label;
}

TextField* InterfaceLayout::addTextField(QWidget* parent, const QString& name, const QRect& frame,
                                         const QString& placeholder)
{
    auto* field = new TextField(parent);
    field->setObjectName(name);
    field->setGeometry(frame);
    field->setBorderStyle(TextField::BorderStyle::RoundedRect);
    field->setPlaceholder(placeholder);
    return field;
}

Button* InterfaceLayout::addButton(QWidget* parent, const QString& name, const QRect& frame, const QString& title,
                                   Button::Type type)
{
    auto* button = new Button(type, parent);
    button->setObjectName(name);
    button->setGeometry(frame);
    if (!title.isEmpty())
        button->setTitle(title);
    return button;
}

QImage InterfaceLayout::picture(const QString& name)
{
    return Bundle::imageNamed(name);
}

ScrollView* InterfaceLayout::addSettingsPage(QWidget* root)
{
    const QColor dark(51, 51, 51);
    root->resize(320, 480);
    setBackgroundColor(root, dark);
    auto* scroll = new ScrollView(root);
    scroll->setObjectName(QStringLiteral("scrollView"));
    scroll->setGeometry(0, 0, 320, 480);
    scroll->setContentSize(QSizeF(320, 480));
    scroll->setBackgroundColor(dark);
    return scroll;
}

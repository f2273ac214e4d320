#include "platform/ui/InterfaceLayout.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/FormLoader.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QPalette>
#include <QWidget>

// Outside any namespace, as Qt's resource initialisation asks; a static link would otherwise
// drop the forms.
static void initLayoutResources()
{
    Q_INIT_RESOURCE(layouts);
}

namespace {
struct Registry
{
    QMutex lock;
    QHash<QString, InterfaceLayout::ClassFactory> classes;

    Registry()
    {
        // The platform's own controls, as the forms name them.
        classes.insert(QStringLiteral("Button"), [](QWidget* parent) -> QWidget* { return new Button(parent); });
        classes.insert(QStringLiteral("ImageView"), [](QWidget* parent) -> QWidget* { return new ImageView(parent); });
        classes.insert(QStringLiteral("Label"), [](QWidget* parent) -> QWidget* { return new Label(parent); });
        classes.insert(QStringLiteral("ScrollView"), [](QWidget* parent) -> QWidget* { return new ScrollView(parent); });
        classes.insert(QStringLiteral("SegmentedControl"),
                       [](QWidget* parent) -> QWidget* { return new SegmentedControl({}, parent); });
        classes.insert(QStringLiteral("Slider"), [](QWidget* parent) -> QWidget* { return new Slider(parent); });
        classes.insert(QStringLiteral("Switch"), [](QWidget* parent) -> QWidget* { return new Switch(parent); });
        classes.insert(QStringLiteral("TextField"), [](QWidget* parent) -> QWidget* { return new TextField(parent); });
    }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

QString formPath(const QString& name)
{
    static const bool resources = [] {
        initLayoutResources();
        return true;
    }();
    Q_UNUSED(resources);
    return QStringLiteral(":/layouts/") + name + QStringLiteral(".ui");
}

QByteArray readForm(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    QFile file(formPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

QWidget* InterfaceLayout::load(const QString& name, QWidget* root)
{
    const QByteArray form = readForm(name);
    if (form.isEmpty())
        return nullptr;
    // Where a given root stands is its owner's business: the form gives it only its size.
    const QPoint position = root ? root->pos() : QPoint();
    QWidget* loaded = FormLoader(form, root).build();
    if (!loaded)
        return nullptr;
    if (root)
        root->move(position);
    if (loaded->objectName().isEmpty())
        loaded->setObjectName(name);
    return loaded;
}

bool InterfaceLayout::hasLayout(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && QFile::exists(formPath(name));
}

QString InterfaceLayout::rootClassName(const QString& name)
{
    const QByteArray form = readForm(name);
    return form.isEmpty() ? QString() : FormLoader(form, nullptr).rootClassName();
}

void InterfaceLayout::registerClass(const QString& className, ClassFactory factory)
{
    QMutexLocker locker(&registry().lock);
    registry().classes.insert(className, std::move(factory));
}

InterfaceLayout::ClassFactory InterfaceLayout::registeredClass(const QString& className)
{
    QMutexLocker locker(&registry().lock);
    return registry().classes.value(className);
}

QWidget* InterfaceLayout::create(const QString& className, QWidget* parent, const ClassFactory& fallback)
{
    const ClassFactory factory = registeredClass(className);
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

#pragma once

#include "platform/ui/Button.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class Label;
class QWidget;
class ScrollView;
class TextField;

// Interface layouts by name: each builds a widget tree in code, with object names on the
// widgets the screens look up (findChild<TextField*>("username")). The first object of a layout
// is its root; a layout names the class of its root (for example "HeaderView"), and a higher
// layer that owns that class registers a factory for it at start-up, so the layout comes back
// as an instance of it. Unregistered classes fall back to the plain platform class.
class InterfaceLayout
{
public:
    using Builder = std::function<void(QWidget* root)>;
    using ClassFactory = std::function<QWidget*(QWidget* parent)>;

    // Builds the layout into root, or into a new root of the layout's class when none is
    // given. Returns the root; none for an unknown name.
    static QWidget* load(const QString& name, QWidget* root = nullptr);
    static bool hasLayout(const QString& name);
    // The class name of a layout's first object ("" for an unknown layout).
    static QString rootClassName(const QString& name);

    static void registerLayout(const QString& name, const QString& rootClassName, Builder builder);
    static void registerClass(const QString& className, ClassFactory factory);
    // An instance of the registered class, or of the fallback when none is registered.
    static QWidget* create(const QString& className, QWidget* parent, const ClassFactory& fallback);

    // Small helpers the layouts are written with.
    static void setBackgroundColor(QWidget* view, const QColor& color);
    static QWidget* addView(QWidget* parent, const QString& name, const QRect& frame, const QColor& background = {});
    static Label* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& frame,
                           const QFont& font, const QColor& color = Qt::white);
    static TextField* addTextField(QWidget* parent, const QString& name, const QRect& frame, const QString& placeholder);
    static Button* addButton(QWidget* parent, const QString& name, const QRect& frame, const QString& title,
                             Button::Type type = Button::Type::RoundedRect);
    static QImage picture(const QString& name);
    // The settings screens' page: `root` 320 x 480 on the dark background, filled by a scroll
    // view ("scrollView") of the same size and colour, which it returns.
    static ScrollView* addSettingsPage(QWidget* root);
};

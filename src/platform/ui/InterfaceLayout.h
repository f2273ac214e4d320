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
class TextField;

// Interface layouts by name: Qt Designer forms served from ":/layouts/NAME.ui", with object
// names on the widgets the screens look up (findChild<TextField*>("username")). The first
// object of a form is its root. A form names the class of every widget, its root's too (a
// screen's own view class); the layer that owns a class registers a factory for it at start-up,
// so the layout comes back built of those classes. The platform registers its own controls;
// a class nobody registered falls back to the platform control standing in for the Qt class
// it extends in the form (a plain QWidget for views).
class InterfaceLayout
{
public:
    using ClassFactory = std::function<QWidget*(QWidget* parent)>;

    // Builds the layout into root, or into a new root of the form's class when none is given.
    // Returns the root; none for an unknown name or a form that does not load.
    static QWidget* load(const QString& name, QWidget* root = nullptr);
    static bool hasLayout(const QString& name);
    // The class name of a layout's first object ("" for an unknown layout).
    static QString rootClassName(const QString& name);

    static void registerClass(const QString& className, ClassFactory factory);
    // The factory registered for the class; empty when none is.
    static ClassFactory registeredClass(const QString& className);
    // An instance of the registered class, or of the fallback when none is registered.
    static QWidget* create(const QString& className, QWidget* parent, const ClassFactory& fallback);

    // Small helpers for views built in code.
    static void setBackgroundColor(QWidget* view, const QColor& color);
    static QWidget* addView(QWidget* parent, const QString& name, const QRect& frame, const QColor& background = {});
    static Label* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& frame,
                           const QFont& font, const QColor& color = Qt::white);
    static TextField* addTextField(QWidget* parent, const QString& name, const QRect& frame, const QString& placeholder);
    static Button* addButton(QWidget* parent, const QString& name, const QRect& frame, const QString& title,
                             Button::Type type = Button::Type::RoundedRect);
    static QImage picture(const QString& name);
};

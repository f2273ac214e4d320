#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUiLoader>

// Reads one Designer form into widgets. Every class the form names is looked up among the
// registered classes (InterfaceLayout::registerClass); a class nobody registered becomes the
// platform control standing in for the Qt class it extends in the form. The root is built into
// the given widget when there is one. A scroll view's child named "contentView" is the scroll
// view's own content view, so what the form puts in it scrolls. After the widgets stand, the
// platform's own properties of the form are applied (FormProperties).
class FormLoader : public QUiLoader
{
public:
    FormLoader(const QByteArray& form, QWidget* root);

    // The form's root; none when the form does not read.
    QWidget* build();
    QString rootClassName() const { return m_rootClass; }

protected:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;

private:
    QWidget* make(const QString& className, QWidget* parent, const QString& name);

    QByteArray m_form;
    QWidget* m_root;
    bool m_rootMade = false;
    QString m_rootClass;
    QHash<QString, QString> m_extends; // a form's own class -> the Qt class it extends
};

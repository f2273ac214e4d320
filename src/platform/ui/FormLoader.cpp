#include "platform/ui/FormLoader.h"

#include "platform/ui/FormProperties.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/ScrollView.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QtDebug>

namespace {
// The platform controls the forms' Qt base classes stand for.
QString standInFor(const QString& qtClass)
{
    if (qtClass == QLatin1String("QLabel"))
        return QStringLiteral("Label");
    if (qtClass == QLatin1String("QPushButton"))
        return QStringLiteral("Button");
    if (qtClass == QLatin1String("QLineEdit"))
        return QStringLiteral("TextField");
    return {};
}

QString childText(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
}
} // namespace

FormLoader::FormLoader(const QByteArray& form, QWidget* root) : m_form(form), m_root(root)
{
    // Texts are the program's own, as the form has them.
    setTranslationEnabled(false);
    QXmlStreamReader xml(m_form);
    QString customClass;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto element = xml.name();
        if (element == QLatin1String("widget") && m_rootClass.isEmpty())
            m_rootClass = xml.attributes().value(QLatin1String("class")).toString();
        else if (element == QLatin1String("class"))
            customClass = childText(xml);
        else if (element == QLatin1String("extends") && !customClass.isEmpty())
            m_extends.insert(customClass, childText(xml));
    }
}

QWidget* FormLoader::build()
{
    QBuffer buffer(&m_form);
    buffer.open(QIODevice::ReadOnly);
    QWidget* root = load(&buffer);
    if (!root) {
        qWarning("interface layout: %s", qPrintable(errorString()));
        return nullptr;
    }
    FormProperties::apply(root);
    return root;
}

QWidget* FormLoader::createWidget(const QString& className, QWidget* parent, const QString& name)
{
    if (!m_rootMade) { // the first widget of a form is its root
        m_rootMade = true;
        if (m_root)
            return m_root;
    } else if (auto* scroll = qobject_cast<ScrollView*>(parent); scroll && name == QLatin1String("contentView")) {
        scroll->contentView()->setObjectName(name);
        return scroll->contentView();
    }
    return make(className, parent, name);
}

QWidget* FormLoader::make(const QString& className, QWidget* parent, const QString& name)
{
    QWidget* widget = nullptr;
    if (const InterfaceLayout::ClassFactory factory = InterfaceLayout::registeredClass(className)) {
        widget = factory(parent);
    } else if (m_extends.contains(className)) {
        const QString qtClass = m_extends.value(className);
        const QString standIn = standInFor(qtClass);
        return standIn.isEmpty() ? QUiLoader::createWidget(qtClass, parent, name) : make(standIn, parent, name);
    } else {
        return QUiLoader::createWidget(className, parent, name);
    }
    if (widget)
        widget->setObjectName(name);
    return widget;
}

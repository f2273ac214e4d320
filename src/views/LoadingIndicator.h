#pragma once

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Label.h"
#include "views/RoundedRectView.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>

// The process-wide busy overlay: a dark rounded box with a spinner and one line of text,
// centred in a parent view and shifted down by an offset. Every screen that waits shares the
// one instance: a second show only replaces the text, one hide removes it for all.
// sharedInstance may be called from any thread; show, update and hide run on the user
// interface thread.
class LoadingIndicator
{
public:
    // The single instance, made on first use and never destroyed. Every call resets
    // parentView to none, offset to 0 and string to "": callers set all three, then show.
    static LoadingIndicator* sharedInstance();

    LoadingIndicator(const LoadingIndicator&) = delete;
    LoadingIndicator& operator=(const LoadingIndicator&) = delete;

    QWidget* parentView() const;
    void setParentView(QWidget* view);
    QString string() const;
    void setString(const QString& text);
    std::int32_t offset() const { return m_offset; }
    void setOffset(std::int32_t offset) { m_offset = offset; }

    // Shows the overlay, or replaces its text when it already shows. The box stays in the
    // view it was first shown in, even when parentView has changed since.
    void showLoadingIndicators();
    // Removes the overlay; nothing when it does not show.
    void hideLoadingIndicators();
    // Lays out the box, spinner and text, and places the box in its view.
    void sizeFrame();

    bool isShowing() const { return !m_spinner.isNull(); }
    // The overlay's views while it shows, for the screens' tests.
    RoundedRectView* rv() const { return m_rv; }
    ActivityIndicatorView* spinner() const { return m_spinner; }
    Label* loadingLabel() const { return m_loadingLabel; }

protected:
    LoadingIndicator() = default;
    virtual ~LoadingIndicator() = default;
    // What every sharedInstance call does after taking the instance.
    void reset();

    // The one `Indicator` of the process, made on first use and never destroyed, reset.
    template <class Indicator>
    static Indicator* sharedInstanceOf()
    {
        static QMutex classLock;
        static Indicator* instance = nullptr;
        QMutexLocker locker(&classLock);
        if (!instance)
            instance = new Indicator;
        instance->reset();
        return instance;
    }

private:
    mutable QMutex m_propertyLock;
    QPointer<QWidget> m_parentView;
    QString m_string = QStringLiteral("");
    std::int32_t m_offset = 0;
    QPointer<ActivityIndicatorView> m_spinner;
    QPointer<Label> m_loadingLabel;
    QPointer<RoundedRectView> m_rv;
};

#pragma once

#include "platform/ui/TextFieldDelegate.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

class Button;
class Label;
class Switch;
class TextField;

// The entry form of one new favourite filter, from the interface layout "FavoriteCompose",
// presented modally by the filter list. "Add" hands the text to the delegate, unless the
// text is not a valid pattern: then the form stays, says what is wrong with it, and nothing
// is handed over. "Cancel" tells the delegate. The return key puts the keyboard away.
class FavoriteComposeViewController : public ViewController, public TextFieldDelegate
{
    Q_OBJECT

public:
    // What the form tells the screen that presented it; both optional.
    class Delegate
    {
    public:
        virtual ~Delegate() = default;
        virtual void didUpdateList(FavoriteComposeViewController* form, const QString& item)
        {
            (void)form;
            (void)item;
        }
        virtual void didCancelUpdateList(FavoriteComposeViewController* form) { (void)form; }
    };

    // The delegate is not held: the screen that presents the form outlives it.
    explicit FavoriteComposeViewController(Delegate* delegate, QObject* parent = nullptr);

    Delegate* delegate() const { return m_delegate; }
    TextField* newItem() const;
    Button* addButton() const;
    Button* cancelButton() const;
    // The refusal of an invalid pattern, or why the filter could not be saved; empty while
    // there is none.
    Label* errorLabel() const;
    // "Send new ones to my client": the watch hands this filter's new matches to the client.
    Switch* sendSwitch() const;
    bool sendsAutomatically() const;
    // Says why the text was not taken, until the text changes.
    void showError(const QString& text);

    void loadView() override;
    void viewDidAppear(bool animated) override;

    bool textFieldShouldReturn(TextField* textField) override;
    void textFieldDidEndEditing(TextField* textField) override;

public Q_SLOTS:
    // "Add": the typed text to the delegate, when it is a valid pattern.
    void updateList(QObject* sender);
    // "Cancel".
    void cancel(QObject* sender);

private:
    Delegate* m_delegate = nullptr;
    QPointer<TextField> m_newItem;
    QPointer<Button> m_addButton;
    QPointer<Button> m_cancelButton;
    QPointer<Label> m_errorLabel;
    QPointer<Switch> m_sendSwitch;
};

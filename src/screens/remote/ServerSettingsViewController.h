#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextFieldDelegate.h"
#include "platform/ui/ViewController.h"

#include <QHash>
#include <QPointer>
#include <QRect>

// "Remote Settings": which client runs on the user's computer, its help text, the address,
// port, user name and password of its web interface, and a button that tests them. Every
// field is stored as it is left (a value the settings file cannot take is used for this run
// and said in an alert); the return key walks address, port, user name, password.
// Choosing a client puts its default port in; opening the screen keeps a stored port.
class ServerSettingsViewController : public ViewController, public TextFieldDelegate
{
    Q_OBJECT

public:
    static constexpr int kFormWidth = 320;
    static constexpr int kFormHeight = 480;

    explicit ServerSettingsViewController(QObject* parent = nullptr);

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void textFieldDidBeginEditing(TextField* textField) override;
    void textFieldDidEndEditing(TextField* textField) override;
    bool textFieldShouldReturn(TextField* textField) override;

    void keyboardWasShown(QRect frame);
    void keyboardWasHidden();

    // The client of the selector's segment is stored, its help text and default port shown.
    void didSelectClient(int index);
    // Stores the password and opens the client's page as the test of the settings.
    void test();
    // Back out (when the screen was pushed over another).
    void cancel();

    SegmentedControl* serverClient() const { return m_serverClient; }
    Label* serverDescription() const { return m_serverDescription; }
    TextField* serverAddress() const { return m_serverAddress; }
    TextField* serverPort() const { return m_serverPort; }
    TextField* serverUser() const { return m_serverUser; }
    TextField* serverPassword() const { return m_serverPassword; }
    Button* testButton() const { return m_testButton; }
    ScrollView* scrollView() const { return m_scrollView; }
    TextField* currTextField() const { return m_currTextField; }
    bool isKeyboardVisible() const { return m_keyboardVisible; }

private:
    QPointer<SegmentedControl> m_serverClient;
    QPointer<Label> m_serverDescription;
    QPointer<TextField> m_serverAddress, m_serverPort, m_serverUser, m_serverPassword;
    QPointer<Button> m_testButton, m_backButton;
    QPointer<ScrollView> m_scrollView;
    QPointer<TextField> m_currTextField;
    bool m_keyboardVisible = false;
    // The field being left by its return key: only then does editing move on to the next
    // field (leaving it with a tap on another field keeps that field's focus).
    QPointer<TextField> m_returning;
    // The port last shown for each client this run: switching to another client and back
    // brings back the port the user typed for it, not the client's default.
    QHash<QString, QString> m_portByClient;
};

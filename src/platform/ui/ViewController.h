#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class NavigationController;
class NavigationItem;
class TabBarController;
class TabBarItem;

// A screen: owns a lazily made view (a QWidget) and takes part in the appearance life
// cycle that its container (window, navigation controller, tab bar controller, modal
// presentation) drives. Subclasses override loadView/viewDidLoad and the appearance hooks.
class ViewController : public QObject
{
    Q_OBJECT

public:
    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    // The view, made on first use: loadView(), then viewDidLoad().
    QWidget* view();
    bool isViewLoaded() const { return !m_view.isNull(); }
    // Replaces the view (loadView implementations call this). The controller owns it.
    void setView(QWidget* view);
    // The controller whose view this widget is, if any.
    static ViewController* controllerForView(const QWidget* view);

    // Makes the view. The default is an empty widget of the screen's size.
    virtual void loadView();
    virtual void viewDidLoad() {}

    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // Item shown for this screen in a tab bar; made on first use with the title.
    TabBarItem* tabBarItem();
    // Replaces the tab bar item; the controller takes ownership.
    void setTabBarItem(TabBarItem* item);
    // Item shown for this screen in a navigation bar; made on first use with the title.
    NavigationItem* navigationItem();

    // The nearest enclosing navigation / tab bar controller, or none.
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;
    // The container that holds this screen (navigation or tab bar controller), if any.
    ViewController* parentViewController() const { return m_parentController; }

    // Modal presentation over the whole window. The presented controller is owned by the
    // presenting one while shown, unless it already has a QObject parent.
    void presentModalViewController(ViewController* controller, bool animated);
    // Dismisses the controller presented by this one, or, called on the presented one,
    // itself.
    void dismissModalViewControllerAnimated(bool animated);
    ViewController* modalViewController() const { return m_modalController; }
    ViewController* presentingViewController() const { return m_presentingController; }

    // True between viewWillAppear and viewWillDisappear.
    bool isAppearing() const { return m_appearing; }

    // Called when the container that owned this controller lets it go (popped from a
    // navigation stack, dismissed). The default deletes it later; a screen that must
    // outlive that (a load still running) overrides it.
    virtual void release();

    // Containers drive the appearance hooks through these: they keep the appearing state
    // and skip repeated calls (a screen never gets two viewWillAppear in a row).
    void beginAppearance(bool appearing, bool animated);
    void endAppearance(bool animated);

    // Containers set themselves as parent controller of their children.
    void setParentViewController(ViewController* parent) { m_parentController = parent; }

Q_SIGNALS:
    void titleChanged(const QString& title);

private:
    QPointer<QWidget> m_view;
    QString m_title;
    TabBarItem* m_tabBarItem = nullptr;
    NavigationItem* m_navigationItem = nullptr;
    QPointer<ViewController> m_parentController;
    QPointer<ViewController> m_modalController;
    QPointer<ViewController> m_presentingController;
    bool m_appearing = false;       // viewWillAppear seen, not yet viewWillDisappear
    bool m_inTransition = false;    // a will-hook was called, the matching did-hook is due
    bool m_loadingView = false;
};

#pragma once

#include <QPointer>
#include <QWidget>

class Button;
class Label;

// The login screen's information view: the application's name, its build version and a button
// that turns back to the login screen (the login screen connects it). Made in code it lays out
// its own widgets; made by the login screen's interface layout, it finds the layout's widgets
// by name ("versionLbl", "returnButton", ...) and lays them out for its size all the same.
class InfoView : public QWidget
{
    Q_OBJECT
public:
    explicit InfoView(QWidget* parent = nullptr);
    // An empty view, for an interface layout to build into (the registered class factory).
    static InfoView* createEmpty(QWidget* parent);

    Label* versionLbl();
    Button* returnBtn();

    // Shows the application's build version.
    void updateVersion();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Empty {};
    InfoView(QWidget* parent, Empty);

    QPointer<Label> m_titleLbl, m_aboutLbl, m_captionLbl, m_versionLbl;
    QPointer<Button> m_returnBtn;
};

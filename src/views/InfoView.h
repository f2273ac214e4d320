#pragma once

#include <QWidget>

class Button;
class Label;

// The login screen's information view: the application's name, its build version and a button
// that turns back to the login screen (the login screen connects it).
class InfoView : public QWidget
{
    Q_OBJECT
public:
    explicit InfoView(QWidget* parent = nullptr);

    Label* versionLbl() const { return m_versionLbl; }
    Button* returnBtn() const { return m_returnBtn; }

    // Shows the application's build version.
    void updateVersion();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Label* m_titleLbl;
    Label* m_captionLbl;
    Label* m_versionLbl;
    Label* m_aboutLbl;
    Button* m_returnBtn;
};

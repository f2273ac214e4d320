#include "screens/favourites/FavoriteDisplaySettingsView.h"

#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Slider.h"
#include "screens/favourites/WatchSettingsControls.h"

namespace {
const QString kLayout = QStringLiteral("FavoriteDisplaySettings");
const QString kClass = QStringLiteral("FavoriteDisplaySettingsView");
constexpr int kPageStep = 5;
} // namespace

FavoriteDisplaySettingsView::FavoriteDisplaySettingsView(QWidget* parent) : QWidget(parent) {}

Slider* FavoriteDisplaySettingsView::favoritesCountSlider() const { return m_slider; }
Label* FavoriteDisplaySettingsView::favoritesCountValue() const { return m_value; }
ScrollView* FavoriteDisplaySettingsView::scrollView() const { return m_scrollView; }

void FavoriteDisplaySettingsView::registerClass()
{
    static const bool registered = [] {
        InterfaceLayout::registerClass(kClass, [](QWidget* parent) -> QWidget* {
            return new FavoriteDisplaySettingsView(parent);
        });
        return true;
    }();
    Q_UNUSED(registered);
}

FavoriteDisplaySettingsView* FavoriteDisplaySettingsView::create(QWidget* parent)
{
    registerClass();
    QWidget* root = InterfaceLayout::load(kLayout);
    auto* view = qobject_cast<FavoriteDisplaySettingsView*>(root);
    if (!view) { // the layout names another root class: build it into a view of ours
        delete root;
        view = new FavoriteDisplaySettingsView;
        InterfaceLayout::load(kLayout, view);
    }
    view->bind();
    if (parent)
        view->setParent(parent);
    return view;
}

void FavoriteDisplaySettingsView::bind()
{
    m_scrollView = findChild<ScrollView*>(QStringLiteral("scrollView"));
    m_value = findChild<Label*>(QStringLiteral("favoritesCountValue"));
    m_slider = findChild<Slider*>(QStringLiteral("favoritesCountSlider"));
    if (!m_slider || !m_value)
        qFatal("the layout \"FavoriteDisplaySettings\" lacks its slider or its count label");
    m_slider->setMinimumValue(kMinimumCount);
    m_slider->setMaximumValue(kMaximumCount);
    connect(m_slider, &Slider::valueChanged, this, &FavoriteDisplaySettingsView::movedFavoritesSlider);
    // Reported once per change, when the slider is let go.
    connect(m_slider, &Slider::valueChangeEnded, this, &FavoriteDisplaySettingsView::changedFavoritesSlider);
    m_slider->setPageStep(kPageStep);
    m_watchControls = new WatchSettingsControls(this);
}

QString FavoriteDisplaySettingsView::countText(double value)
{
    return QString::asprintf("%.0f", value);
}

void FavoriteDisplaySettingsView::setCount(int count)
{
    m_slider->setValue(float(count));
    m_value->setText(countText(m_slider->value()));
}

void FavoriteDisplaySettingsView::movedFavoritesSlider(Slider* sender)
{
    Slider* slider = sender ? sender : m_slider.data();
    m_value->setText(countText(slider->value()));
}

void FavoriteDisplaySettingsView::changedFavoritesSlider(Slider* sender)
{
    movedFavoritesSlider(sender);
    // The thumb stands where the count it stores puts it.
    m_slider->setValue(m_value->text().toFloat());
    if (m_delegate)
        m_delegate->didUpdateFavoritesCount(this, m_value->text());
}

void FavoriteDisplaySettingsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_scrollView)
        m_scrollView->setGeometry(rect());
}

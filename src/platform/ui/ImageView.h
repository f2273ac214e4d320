#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// Shows a picture: stretched to the frame (the default), fitted or centred; the corners can be
// rounded, and with clipsToBounds the picture is cut to the rounded shape.
class ImageView : public QWidget
{
    Q_OBJECT
public:
    enum class ContentMode { ScaleToFill, ScaleAspectFit, ScaleAspectFill, Center };

    explicit ImageView(QWidget* parent = nullptr);
    explicit ImageView(const QImage& image, QWidget* parent = nullptr);

    QImage image() const { return m_image; }
    void setImage(const QImage& image);
    ContentMode contentMode() const { return m_mode; }
    void setContentMode(ContentMode mode);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    bool clipsToBounds() const { return m_clips; }
    void setClipsToBounds(bool clips);
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    ContentMode m_mode = ContentMode::ScaleToFill;
    double m_cornerRadius = 0;
    bool m_clips = false;
    QColor m_background = Qt::transparent;
};

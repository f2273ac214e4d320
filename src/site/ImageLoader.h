#pragma once

#include "platform/core/Callback.h"
#include "platform/core/Operation.h"

#include <QImage>
#include <QString>
#include <QUrl>

#include <concepts>

// What ImageLoader delivers: the URL's absolute text, then the decoded picture.
struct LoadedImage
{
    QString url; // fully encoded
    QImage image;
};

// Loads one picture (a list cell's remote image, the captcha) with a plain read of the URL
// (no custom headers; the shared cookies go along) and decodes it with Qt's image readers.
// Delivers on the main thread, only when the bytes decoded as a picture and the target
// still exists then; otherwise nothing.
class ImageLoader : public Operation
{
public:
    ImageLoader(const QUrl& url, Callback<LoadedImage> callback);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<LoadedImage>, Target*, Member>
    ImageLoader(const QUrl& url, Target* target, Member selector)
        : ImageLoader(url, Callback<LoadedImage>(target, selector))
    {
    }

    QUrl url() const { return m_url; }

    void main() override;

private:
    QUrl m_url;
    Callback<LoadedImage> m_callback;
};

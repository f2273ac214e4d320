#include "site/ImageLoader.h"

#include "platform/core/UrlLoader.h"

ImageLoader::ImageLoader(const QUrl& url, Callback<LoadedImage> callback)
    : m_url(url)
    , m_callback(std::move(callback))
{
}

void ImageLoader::main()
{
    if (!m_callback.isSet())
        return;
    const std::optional<QByteArray> bytes = UrlLoader::contentsOfUrl(m_url);
    if (!bytes)
        return;
    QImage image = QImage::fromData(*bytes);
    if (image.isNull())
        return;
    m_callback.post(LoadedImage{m_url.toString(QUrl::FullyEncoded), std::move(image)});
}

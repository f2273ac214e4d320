#include "views/ScaleToSize.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/GraphicsContext.h"

#include <cmath>

QImage scaleToSize(const QImage& image, QSizeF size)
{
    if (image.isNull() || size.width() < 1 || size.height() < 1)
        return QImage();
    GraphicsContext::beginImageContext(size, false, Bundle::screenScale());
    GraphicsContext* ctx = GraphicsContext::current();
    // The low-level draw lays rows bottom-up; flipping the context first brings them out
    // upright, as the picture's own pixel rows are.
    ctx->translateCTM(0, size.height());
    ctx->scaleCTM(1, -1);
    ctx->drawImageBottomUp(QRectF(QPointF(0, 0), size), image);
    QImage result = GraphicsContext::imageFromCurrentImageContext();
    GraphicsContext::endImageContext();
    return result;
}

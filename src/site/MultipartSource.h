#pragma once

#include <QByteArray>

// The multipart boundary shared by HttpRequest's "Content-Type" header and the bodies that
// the remote client adapters write: 27 hyphens and 29 digits.
inline constexpr char kMultipartBoundary[] = "---------------------------20072377098235644401115438165";

// What a multipart upload asks of the remote client adapter that makes its body. The
// request asks twice per attempt (body and length), so the bytes must not change.
class MultipartSource
{
public:
    virtual ~MultipartSource() = default;
    virtual QByteArray getData() const = 0;
};

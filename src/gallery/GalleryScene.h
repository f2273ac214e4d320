#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

// One picture of the gallery: a widget made fresh, laid out at its size and grabbed to
// "<name>.png". Scenes register themselves from their own files with GALLERY_SCENE.
struct GalleryScene
{
    QString name;
    std::function<QWidget*()> make;
    // Optional: runs after the widget is shown and before it is grabbed (open an alert,
    // wait for a web view to load...).
    std::function<void(QWidget*)> prepare;
};

std::vector<GalleryScene>& galleryScenes();

struct GalleryRegistration
{
    explicit GalleryRegistration(GalleryScene scene) { galleryScenes().push_back(std::move(scene)); }
};

#define GALLERY_CONCAT_(a, b) a##b
#define GALLERY_CONCAT(a, b) GALLERY_CONCAT_(a, b)
#define GALLERY_SCENE(...) \
    static const GalleryRegistration GALLERY_CONCAT(galleryScene_, __LINE__){GalleryScene{__VA_ARGS__}}

#pragma once

class QWidget;

// The application's interface layouts, each in its own file; InterfaceLayout registers them.
namespace InterfaceLayouts {
void buildLoginView(QWidget* root);
void buildHeaderView(QWidget* root);
void buildLoadMoreItem(QWidget* root);
void buildServerSettings(QWidget* root);
void buildDisplaySettings(QWidget* root);
void buildFavoriteCompose(QWidget* root);
void buildFavoriteDisplaySettings(QWidget* root);
} // namespace InterfaceLayouts

// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tarvelio {

// Size of the drawing surface and the background picture, and the one drawing call
// the background needs, as the toolkit provides them. Sizes are in twips.
class PaintSurface {
public:
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    virtual float pictureWidth() const = 0;
    virtual float pictureHeight() const = 0;
    virtual void paintPicture(float x, float y, float width, float height) = 0;

protected:
    ~PaintSurface() = default;
};

} // namespace tarvelio

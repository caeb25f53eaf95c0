// tmSpriteSheet.cpp -- glyph rectangles of a digit strip on the HUD's world plane.
#include "frontend/tmSpriteSheet.h"

#include "frontend/tmNumberFont.h"
#include "sys/render/tmDraw.h"

void tmSpriteSheet::SetGrid(uint32_t tex, float textureWidth, float textureHeight, float glyphWidth, float glyphHeight,
                            float spacing) {
    texture = tex;
    cellU = textureWidth > 0.0f ? 1.0f / textureWidth : 0.0f;
    cellV = textureHeight > 0.0f ? 1.0f / textureHeight : 0.0f;
    glyphU = glyphWidth * cellU;
    glyphV = glyphHeight * cellV;
    unitX = 1.0f;
    unitY = glyphWidth > 0.0f ? glyphHeight / glyphWidth : 1.0f;
    advance = glyphHeight > 0.0f ? glyphWidth / glyphHeight * spacing : 0.0f;
}

void tmSpriteSheet::DrawGlyph(int code, const D3DXMATRIX& matrix, float x, float y, float scale,
                              uint32_t colour) const {
    if (code < 0 || code >= tmNumberFont::kStripCodes) return;
    D3DXMATRIX s, t, m;
    D3DXMatrixScaling(&s, scale, scale, scale);
    D3DXMatrixTranslation(&t, x, y, 0.0f);
    m = s * t * matrix;
    tmDraw::GetInstance()->DrawSpriteRect(static_cast<int>(texture), m, colour, static_cast<float>(code) * glyphU, 0.0f,
                                          glyphU, glyphV, unitX, unitY);
}

void tmSpriteSheet::DrawNumber(uint32_t value, int digits, const D3DXMATRIX& matrix, float x, float y, float scale,
                               bool rightAlign, uint32_t colour) const {
    int d[tmNumberFont::kMaxDigits];
    const int n = tmNumberFont::SplitDigits(value, digits, d);
    const float a = advance * scale;
    if (rightAlign) x += static_cast<float>(n) * a;
    for (int i = 0; i < n; ++i) DrawGlyph(d[i], matrix, x - static_cast<float>(i) * a, y, scale, colour);
}

void tmSpriteSheet::DrawTime(uint32_t ms, const D3DXMATRIX& matrix, float x, float y, float scale,
                             uint32_t colour) const {
    const float s = -advance * scale;
    DrawGlyph(static_cast<int>(ms / 60000u % 10u), matrix, x, y, scale, colour);
    DrawGlyph(tmNumberFont::kColon, matrix, x + 0.75f * s, y, scale, colour);
    DrawNumber((ms / 1000u) % 60u, 2, matrix, x + 1.5f * s, y, scale, false, colour);
    DrawGlyph(tmNumberFont::kPoint, matrix, x + 3.25f * s, y, scale, colour);
    DrawNumber(ms % 1000u, 3, matrix, x + 4.0f * s, y, scale, false, colour);
}

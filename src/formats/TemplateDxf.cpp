// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TemplateDxf.h"

#include <QList>

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <string>

namespace vandrix {

namespace {

constexpr int ByLayer = 256;
constexpr double PaperMargin = 10.0;

// dxflib's entity and table writers, with the group codes collected in memory instead of its
// own file stream, so the drawing reaches the disk through the same atomic writes as every
// other output. Reals are written with a fixed number of decimals: enough for 0.000001 mm, and
// never in exponent form, which some cutter software does not read.
class MemoryDxfWriter : public DL_WriterA {
public:
    MemoryDxfWriter() : DL_WriterA("", DL_Codes::AC1015) {}

    const std::string& text() const { return text_; }

    void dxfReal(int gc, double value) const override {
        std::array<char, 64> buffer{};
        auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, 6);
        if (error != std::errc()) {
            end = buffer.data();
            *end++ = '0';
        }
        // Trailing zeros go, one digit after the point stays.
        const char* point = std::find(buffer.data(), end, '.');
        if (point != end) {
            while (end > point + 2 && end[-1] == '0') {
                --end;
            }
        }
        std::string_view number(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
        if (number == "-0.0") {
            number = "0.0";
        }
        code(gc);
        text_.append(number);
        text_ += '\n';
    }
    void dxfInt(int gc, int value) const override {
        code(gc);
        text_ += std::to_string(value);
        text_ += '\n';
    }
    void dxfHex(int gc, int value) const override {
        std::array<char, 16> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
        code(gc);
        for (const char* c = buffer.data(); c != result.ptr; ++c) {
            text_ += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
        }
        text_ += '\n';
    }
    void dxfString(int gc, const char* value) const override {
        code(gc);
        text_ += value;
        text_ += '\n';
    }
    void dxfString(int gc, const std::string& value) const override {
        code(gc);
        text_ += value;
        text_ += '\n';
    }

private:
    // Group codes right-aligned in three columns, as AutoCAD writes them.
    void code(int gc) const {
        const std::string digits = std::to_string(gc);
        text_.append(digits.size() < 3 ? 3 - digits.size() : 0, ' ');
        text_ += digits;
        text_ += '\n';
    }
    mutable std::string text_;
};

// DXF 2000 text is in the drawing's code page; anything beyond ASCII goes as \U+XXXX.
std::string dxfText(const QString& text) {
    std::string out;
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else if (c >= 0x80) {
            std::array<char, 16> buffer{};
            std::snprintf(buffer.data(), buffer.size(), "\\U+%04X", static_cast<unsigned>(c));
            out += buffer.data();
        }
    }
    return out;
}

DL_Attributes onLayer(const char* layer) {
    return {layer, ByLayer, 0, "BYLAYER", 1.0};
}

// The drawing's extents, and the paper around them: as the paper limits they let a CAD program
// print it at 1:1 on a sheet it fits.
struct Extents {
    QRectF drawing;
    QRectF paper;
};

Extents extentsOf(const std::vector<TemplateItem>& items,
                  const std::vector<SideBySidePlace>& places) {
    Extents extents;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF box = places[i].bounds.translated(places[i].shift, 0.0);
        extents.drawing |= box.adjusted(0.0, 0.0, 0.0, LabelLift + LabelHeight);
        extents.drawing |= QRectF(places[i].shift, 0.0, items[i].outline.chord, 0.0);
    }
    extents.paper = extents.drawing.adjusted(-PaperMargin, -PaperMargin, PaperMargin, PaperMargin);
    return extents;
}

void writeHeader(DL_Dxf& dxf, MemoryDxfWriter& dw, const Extents& extents) {
    dxf.writeHeader(dw);
    const auto point = [&dw](const char* name, double x, double y) {
        dw.dxfString(9, name);
        dw.dxfReal(10, x);
        dw.dxfReal(20, y);
    };
    const QRectF& extent = extents.drawing;
    const QRectF& paper = extents.paper;
    point("$EXTMIN", extent.left(), extent.top());
    point("$EXTMAX", extent.right(), extent.bottom());
    point("$LIMMIN", paper.left(), paper.top());
    point("$LIMMAX", paper.right(), paper.bottom());
    point("$PLIMMIN", paper.left(), paper.top());
    point("$PLIMMAX", paper.right(), paper.bottom());
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4);  // millimetres
    dw.dxfString(9, "$MEASUREMENT");
    dw.dxfInt(70, 1);  // metric
    dw.dxfString(9, "$LUNITS");
    dw.dxfInt(70, 2);  // decimal
    dw.dxfString(9, "$LUPREC");
    dw.dxfInt(70, 4);
    dw.sectionEnd();
}

// The line types, the layers OUTLINE, CHORD and LABEL, the text style and what AutoCAD 2000
// readers expect beside them; then the model and paper space blocks.
void writeTablesAndBlocks(DL_Dxf& dxf, MemoryDxfWriter& dw) {
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(4);
    const auto layer = [&](const char* name, int colour) {
        dxf.writeLayer(dw, DL_LayerData(name, 0),
                       DL_Attributes(std::string(), colour, 0, "CONTINUOUS", 1.0));
    };
    layer("0", DL_Codes::black);
    layer("OUTLINE", DL_Codes::black);
    layer("CHORD", DL_Codes::blue);
    layer("LABEL", DL_Codes::red);
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, LabelHeight, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 2.5, 1.25, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, block);
    }
    dw.sectionEnd();
}

// Each item's outline rings, chord line and label, shifted to its place.
void writeEntities(DL_Dxf& dxf, MemoryDxfWriter& dw, const std::vector<TemplateItem>& items,
                   const std::vector<SideBySidePlace>& places) {
    dw.sectionEntities();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TemplateItem& item = items[i];
        const double shift = places[i].shift;
        for (const OutlineRing& ring : item.outline.rings) {
            dxf.writePolyline(dw, DL_PolylineData(static_cast<int>(ring.size()), 0, 0, 1),
                              onLayer("OUTLINE"));
            for (const QPointF& p : ring) {
                dxf.writeVertex(dw, DL_VertexData(p.x() + shift, p.y()));
            }
            dxf.writePolylineEnd(dw);
        }
        dxf.writeLine(dw, DL_LineData(shift, 0.0, 0.0, shift + item.outline.chord, 0.0, 0.0),
                      onLayer("CHORD"));
        const QRectF& box = places[i].bounds;
        const double labelY = box.bottom() + LabelLift;  // bounds() is y up
        dxf.writeText(dw,
                      DL_TextData(box.left() + shift, labelY, 0.0, 0.0, 0.0, 0.0, LabelHeight, 1.0,
                                  0, 0, 0, dxfText(item.label), "Standard", 0.0),
                      onLayer("LABEL"));
    }
    dw.sectionEnd();
}

}  // namespace

QByteArray TemplateDxf(const std::vector<TemplateItem>& items) {
    const std::vector<SideBySidePlace> places = SideBySide(items);
    DL_Dxf dxf;
    MemoryDxfWriter dw;
    writeHeader(dxf, dw, extentsOf(items, places));
    writeTablesAndBlocks(dxf, dw);
    writeEntities(dxf, dw, items, places);
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
    return QByteArray::fromStdString(dw.text());
}

}  // namespace vandrix

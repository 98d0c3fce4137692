#!/usr/bin/python3
"""Writes the drawings that the host program must save back unchanged.

Most come from ezdxf (one per version R12..R2018, R13 and R14 by changing
the version of an R2000 drawing, with code pages, blocks
with attributes, paper space layouts, images, MText columns, ACIS data and
extension dictionaries); a few are written here by hand the way older
programs wrote them (right-aligned group codes and values, CR LF, no
handles, a byte order mark).  Run with /usr/bin/python3 in this folder.
"""
import ezdxf

SAT = ["400 0 1 0", "16 ASM-Tarsil 1 0", "1 9.9999999999999995e-07 1e-10",
       "body $-1 -1 $-1 $1 $-1 $-1 #", "End-of-ACIS-data"]


def base(version, codepage):
    doc = ezdxf.new(version)
    doc.header["$DWGCODEPAGE"] = codepage
    return doc, doc.modelspace()


def room_block(doc, msp, name_value, layer="0"):
    block = doc.blocks.new("ROOM")
    block.add_line((0, 0), (4, 0))
    block.add_attdef("NAME", (0, 1), dxfattribs={"height": 0.5})
    block.add_attdef("NUMBER", (0, 2), dxfattribs={"height": 0.5})
    ref = msp.add_blockref("ROOM", (10, 10), dxfattribs={"layer": layer})
    ref.add_attrib("NAME", name_value, (10, 11))
    ref.add_attrib("NUMBER", "12", (10, 12))


def paper_space(doc):
    layout = doc.layouts.new("Sheet 2")
    layout.add_line((0, 0), (20, 10))
    layout.add_text("on sheet 2", dxfattribs={"insert": (1, 1)})
    doc.layouts.get("Layout1").add_circle((5, 5), 3)


def r12_hebrew():
    doc, msp = base("R12", "ANSI_1255")
    doc.layers.new("שכבה")
    doc.header["$CLAYER"] = "שכבה"
    msp.add_text("שלום", dxfattribs={"layer": "שכבה", "insert": (0, 0)})
    msp.add_line((0, 0), (10, 5))
    room_block(doc, msp, "חדר")
    doc.layouts.active_layout().add_line((0, 0), (5, 5))
    doc.saveas("r12_ansi1255.dxf", encoding="cp1255")
    set_codepage("r12_ansi1255.dxf", "ANSI_1255")


def r2000_cyrillic():
    doc, msp = base("R2000", "ANSI_1251")
    doc.layers.new("Слой")
    doc.header["$CLAYER"] = "Слой"
    msp.add_text("Привет", dxfattribs={"layer": "Слой"})
    msp.add_mtext("Строка\\Pвторая", dxfattribs={"char_height": 1.0, "insert": (0, 5)})
    room_block(doc, msp, "Комната")
    paper_space(doc)
    doc.saveas("r2000_ansi1251.dxf", encoding="cp1251")
    set_codepage("r2000_ansi1251.dxf", "ANSI_1251")


def r2004_dos850():
    doc, msp = base("R2004", "DOS850")
    msp.add_text("Größe ½", dxfattribs={"insert": (0, 0)})
    msp.add_lwpolyline([(0, 0), (3, 0), (3, 3)])
    room_block(doc, msp, "Küche")
    doc.saveas("r2004_dos850.dxf", encoding="cp850")
    set_codepage("r2004_dos850.dxf", "DOS850")


def r13_turkish():
    """R13 and R14 are read and written as R2000 was, with their own
    version number: ezdxf writes R2000, the version is set by hand."""
    doc, msp = base("R2000", "ANSI_1254")
    doc.layers.new("Duvarlar")
    msp.add_text("Ağaç şişe", dxfattribs={"layer": "Duvarlar"})
    room_block(doc, msp, "Oda", layer="Duvarlar")
    paper_space(doc)
    doc.saveas("r13_ansi1254.dxf", encoding="cp1254")
    set_codepage("r13_ansi1254.dxf", "ANSI_1254")
    set_version("r13_ansi1254.dxf", "AC1012")


def r14_japanese():
    """A code page of lead and trail bytes."""
    doc, msp = base("R2000", "ANSI_932")
    doc.layers.new("壁")
    msp.add_text("日本語の文字", dxfattribs={"layer": "壁"})
    msp.add_mtext("一行目\\P二行目", dxfattribs={"char_height": 1.0, "insert": (0, 5)})
    room_block(doc, msp, "台所")
    doc.saveas("r14_ansi932.dxf", encoding="cp932")
    set_codepage("r14_ansi932.dxf", "ANSI_932")
    set_version("r14_ansi932.dxf", "AC1014")


def r2007_columns_acis():
    doc, msp = base("R2007", "ANSI_1252")
    msp.add_mtext_static_columns(["first column", "second column", "third"], width=10,
                                 gutter_width=1, height=20)
    solid = msp.add_3dsolid()
    solid.sat = SAT
    line = msp.add_line((0, 0), (1, 1))
    xdict = line.new_extension_dict()
    xdict.add_xrecord("TARSIL").reset([(1, "kept")])
    doc.saveas("r2007_columns_acis.dxf")


def r2010_image():
    doc, msp = base("R2010", "ANSI_1252")
    image_def = doc.add_image_def("plan.png", size_in_pixel=(64, 64))
    msp.add_image(image_def, insert=(0, 0), size_in_units=(6.4, 6.4))
    msp.add_text("beside the image", dxfattribs={"insert": (7, 0)})
    paper_space(doc)
    doc.saveas("r2010_image.dxf")


def r2013_arabic():
    doc, msp = base("R2013", "ANSI_1256")
    doc.layers.new("طبقة")
    msp.add_text("مرحبا", dxfattribs={"layer": "طبقة"})
    msp.add_mtext_dynamic_manual_height_columns("one column\\Panother", width=8,
                                                gutter_width=1, heights=[5, 5])
    doc.saveas("r2013_ansi1256.dxf")
    set_codepage("r2013_ansi1256.dxf", "ANSI_1256")


def r2018_hebrew():
    doc, msp = base("R2018", "ANSI_1255")
    doc.layers.new("קירות")
    doc.header["$CLAYER"] = "קירות"
    msp.add_text("שלום", dxfattribs={"layer": "קירות"})
    msp.add_mtext_static_columns(["עמודה", "שנייה"], width=10, gutter_width=1, height=10)
    image_def = doc.add_image_def("plan.png", size_in_pixel=(32, 32))
    msp.add_image(image_def, insert=(20, 0), size_in_units=(3.2, 3.2))
    room_block(doc, msp, "מטבח", layer="קירות")
    paper_space(doc)
    doc.saveas("r2018_ansi1255.dxf")
    set_codepage("r2018_ansi1255.dxf", "ANSI_1255")


def set_codepage(path, codepage):
    """ezdxf writes ANSI_1252 into every drawing whatever it encoded; put
    the drawing's own code page back, as the program that made it would
    have."""
    with open(path, "rb") as f:
        data = f.read()
    data = data.replace(b"$DWGCODEPAGE\n  3\nANSI_1252\n",
                        b"$DWGCODEPAGE\n  3\n" + codepage.encode() + b"\n", 1)
    with open(path, "wb") as f:
        f.write(data)


def set_version(path, version):
    with open(path, "rb") as f:
        data = f.read()
    data = data.replace(b"$ACADVER\n  1\nAC1015\n", b"$ACADVER\n  1\n" + version.encode() + b"\n", 1)
    with open(path, "wb") as f:
        f.write(data)


def crlf(src, dst, bom=False):
    with open(src, "rb") as f:
        data = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    with open(dst, "wb") as f:
        f.write((b"\xef\xbb\xbf" if bom else b"") + data)


def unpadded(src, dst):
    """Group codes without the leading blanks, as some libraries write them."""
    with open(src, "rb") as f:
        lines = f.read().split(b"\n")
    for i in range(0, len(lines) - 1, 2):
        lines[i] = lines[i].strip()
    with open(dst, "wb") as f:
        f.write(b"\n".join(lines))


def r12_by_hand():
    """An R12 drawing without handles, as early programs wrote it: group
    codes right-aligned in three places, integers in six, CR LF."""
    groups = [
        (0, "SECTION"), (2, "HEADER"),
        (9, "$ACADVER"), (1, "AC1009"),
        (9, "$DWGCODEPAGE"), (3, "ANSI_1252"),
        (9, "$HANDLING"), (70, "     0"),
        (9, "$CLAYER"), (8, "WALLS"),
        (9, "$TEXTSIZE"), (40, "0.2"),
        (9, "$TEXTSTYLE"), (7, "STANDARD"),
        (9, "$OSMODE"), (70, "    37"),
        (9, "$UCSORG"), (10, "0.0"), (20, "0.0"), (30, "0.0"),
        (9, "$UCSXDIR"), (10, "1.0"), (20, "0.0"), (30, "0.0"),
        (9, "$UCSYDIR"), (10, "0.0"), (20, "1.0"), (30, "0.0"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "TABLES"),
        (0, "TABLE"), (2, "LAYER"), (70, "     2"),
        (0, "LAYER"), (2, "0"), (70, "     0"), (62, "     7"), (6, "CONTINUOUS"),
        (0, "LAYER"), (2, "WALLS"), (70, "     0"), (62, "     1"), (6, "CONTINUOUS"),
        (0, "ENDTAB"),
        (0, "TABLE"), (2, "STYLE"), (70, "     1"),
        (0, "STYLE"), (2, "STANDARD"), (70, "     0"), (40, "0.0"), (41, "1.0"), (50, "0.0"),
        (71, "     0"), (42, "0.2"), (3, "txt"), (4, ""),
        (0, "ENDTAB"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "BLOCKS"),
        (0, "BLOCK"), (8, "0"), (2, "DOOR"), (70, "     2"), (10, "0.0"), (20, "0.0"),
        (30, "0.0"), (3, "DOOR"),
        (0, "LINE"), (8, "0"), (10, "0.0"), (20, "0.0"), (30, "0.0"), (11, "1.0"),
        (21, "0.0"), (31, "0.0"),
        (0, "ATTDEF"), (8, "0"), (10, "0.0"), (20, "1.0"), (30, "0.0"), (40, "0.2"),
        (1, ""), (3, "Door number"), (2, "NUMBER"), (70, "     0"),
        (0, "ENDBLK"), (8, "0"),
        (0, "ENDSEC"),
        (0, "SECTION"), (2, "ENTITIES"),
        (0, "LINE"), (8, "WALLS"), (10, "0.0"), (20, "0.0"), (30, "0.0"), (11, "10.0"),
        (21, "0.0"), (31, "0.0"),
        (0, "TEXT"), (8, "WALLS"), (10, "1.0"), (20, "1.0"), (30, "0.0"), (40, "0.2"),
        (1, "Caf\xe9"),
        (0, "INSERT"), (8, "0"), (66, "     1"), (2, "DOOR"), (10, "5.0"), (20, "0.0"),
        (30, "0.0"),
        (0, "ATTRIB"), (8, "0"), (10, "5.0"), (20, "1.0"), (30, "0.0"), (40, "0.2"),
        (1, "D1"), (2, "NUMBER"), (70, "     0"),
        (0, "SEQEND"), (8, "0"),
        (0, "LINE"), (8, "0"), (67, "     1"), (10, "0.0"), (20, "0.0"), (30, "0.0"),
        (11, "2.0"), (21, "2.0"), (31, "0.0"),
        (0, "ENDSEC"),
        (0, "EOF"),
    ]
    with open("r12_nohandles_crlf.dxf", "wb") as f:
        for code, value in groups:
            f.write(("%3d\r\n%s\r\n" % (code, value)).encode("cp1252"))


def main():
    r12_hebrew()
    r2000_cyrillic()
    r2004_dos850()
    r13_turkish()
    r14_japanese()
    r2007_columns_acis()
    r2010_image()
    r2013_arabic()
    r2018_hebrew()
    crlf("r2010_image.dxf", "r2010_image_crlf.dxf")
    crlf("r2018_ansi1255.dxf", "r2018_bom_crlf.dxf", bom=True)
    unpadded("r2010_image.dxf", "r2010_unpadded.dxf")
    r12_by_hand()


if __name__ == "__main__":
    main()

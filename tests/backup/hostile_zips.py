# Makes the hostile copies of the restore tests, one ZIP per kind: hostile_zips.py FOLDER
# (FOLDER/<kind>.zip).
import os, sys, zipfile, struct, zlib
store = b"[Accesso]\r\nValore=4C414D\r\n"
def plain(out, extra):
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("unins000.dll", store)
        z.writestr("2026.ric", b"\0" * 1099)
        extra(z)
def make(kind, out):
    if kind == "traversal":
        plain(out, lambda z: z.writestr("../Scheda_fuori.jpg", b"x"))
    elif kind == "traversal inside":
        plain(out, lambda z: z.writestr("Anagrafica/../../fuori.jpg", b"x"))
    elif kind == "absolute":
        plain(out, lambda z: z.writestr("/tmp/tavorel_assoluto.ric", b"x"))
    elif kind == "drive letter":
        plain(out, lambda z: z.writestr("C:/Tavorel/2026.ric", b"x"))
    elif kind == "backslashes":
        plain(out, lambda z: z.writestr("Anagrafica\\..\\..\\fuori.jpg", b"x"))
    elif kind == "link":
        def link(z):
            i = zipfile.ZipInfo("Anagrafica/Scheda_Iscritto_1.jpg")
            i.create_system = 3
            i.external_attr = (0o120777 << 16)
            z.writestr(i, "/etc/passwd")
        plain(out, link)
    elif kind == "foreign file":
        plain(out, lambda z: z.writestr("tavorel", b"\x7fELF"))
    elif kind == "no password store":
        with zipfile.ZipFile(out, "w") as z:
            z.writestr("2026.ric", b"\0" * 1099)
    elif kind == "no archive":
        with zipfile.ZipFile(out, "w") as z:
            z.writestr("unins000.dll", store)
            z.writestr("Logo.bmp", b"BM")
    elif kind == "not a zip":
        open(out, "wb").write(b"[Ricevente]\r\nRigo 1=questo non e' uno ZIP\r\n" * 20)
    elif kind == "empty file":
        open(out, "wb").close()
    elif kind == "huge declared size":
        # A deflated entry that says it unpacks to a petabyte (ZIP64 sizes), beside a real store.
        entries = []
        data = bytearray()
        def add(name, raw, declared):
            comp = zlib.compressobj(1, zlib.DEFLATED, -15)
            packed = comp.compress(raw) + comp.flush()
            extra = struct.pack("<HHQQ", 1, 16, declared, len(packed))
            offset = len(data)
            data.extend(struct.pack("<IHHHHHIIIHH", 0x04034b50, 45, 0, 8, 0, 0x21, zlib.crc32(raw),
                                    0xFFFFFFFF, 0xFFFFFFFF, len(name), len(extra)) + name + extra + packed)
            entries.append((name, raw, declared, packed, extra, offset))
        add(b"unins000.dll", store, len(store))
        add(b"2026.ric", b"\0" * 1099, 1 << 50)
        cd = bytearray()
        for name, raw, declared, packed, extra, offset in entries:
            ext = struct.pack("<HHQQQ", 1, 24, declared, len(packed), offset)
            cd.extend(struct.pack("<IHHHHHHIIIHHHHHII", 0x02014b50, 45, 45, 0, 8, 0, 0x21, zlib.crc32(raw),
                                  0xFFFFFFFF, 0xFFFFFFFF, len(name), len(ext), 0, 0, 0, 0, 0xFFFFFFFF) + name + ext)
        end = struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, len(entries), len(entries), len(cd), len(data), 0)
        open(out, "wb").write(bytes(data) + bytes(cd) + end)
    elif kind == "bad crc":
        plain(out, lambda z: None)
        raw = bytearray(open(out, "rb").read())
        at = raw.find(b"2026.ric") + len(b"2026.ric")
        raw[at + 4] ^= 0xFF  # a byte of the packed data
        open(out, "wb").write(bytes(raw))

KINDS = ["traversal", "traversal inside", "absolute", "drive letter", "backslashes", "link", "foreign file",
         "no password store", "no archive", "not a zip", "empty file", "huge declared size", "bad crc"]
for kind in KINDS:
    make(kind, os.path.join(sys.argv[1], kind + ".zip"))

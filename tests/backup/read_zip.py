# Reads a ZIP with Python's zipfile, every CRC checked, and prints each entry: name, UTF-8 flag,
# folder or not, bytes (names and bytes in base64).
import sys, zipfile, base64
z = zipfile.ZipFile(sys.argv[1])
bad = z.testzip()
if bad is not None:
    sys.exit("bad entry " + bad)
for i in z.infolist():
    data = b"" if i.is_dir() else z.read(i)
    sys.stdout.write("%s\t%d\t%d\t%s\n" % (base64.b64encode(i.filename.encode()).decode(), i.flag_bits & 0x800 != 0,
                                         i.is_dir(), base64.b64encode(data).decode()))

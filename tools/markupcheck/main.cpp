// markupcheck [--render WIDTH HEIGHT OUT.png [--gdiplus]] FILE: parses and
// builds the markup text in FILE as the toolkit does and prints the object
// tree, or the builder's error text.
//
// --render WIDTH HEIGHT OUT.png also measures the tree for WIDTH by HEIGHT
// pixels, arranges it into the whole picture and draws it through the GDI
// back-end on a white background into a 32-bit bitmap, written to OUT.png as
// an 8-bit RGB PNG. A text that does not build writes no picture. Image
// elements show their pictures (files, the program's resources) as the
// toolkit's windows do.
//
// --gdiplus (with --render) draws through the GDI+ back-end instead, as the
// toolkit's windows do by default; where GDI+ cannot draw, GDI does.
//
// FILE is read as bytes of narrow text in the system code page, up to its
// first NUL byte, exactly as the toolkit's markup context parses a text (a
// declaration with encoding="utf-8" switches the rest to UTF-8).
//
// Output for a text that builds (exit code 0): the object tree, one object a
// line, ended by a line feed, two spaces of indentation per depth (the root
// element at depth 0):
//
//   <Type> name=value name=value ...
//
//   Type        the element name of the object's type, or for types that
//               cannot be written as elements the class name without its
//               "CKitMarkup" prefix (ResourceDictionary, ObjectProperty ...)
//   name=value  one pair per property set on the object itself (styles and
//               triggers are not shown), in the order the properties were
//               registered; an attached property is named Owner.Name
//               (KeyboardNavigation.TabIndex). Values:
//                 integers and enumeration values   decimal: 192
//                 doubles                           up to 15 digits: 1.5
//                 booleans                          True or False
//                 colours                           #AARRGGBB: #FFFF0000 is red
//                 texts                             in double quotes, with \" and
//                                                   \\ for a quote and a backslash
//                                                   and \xHH for bytes below 0x20
//                                                   and 0x7F: "Line\x0A2"
//                 number lists                      comma-separated: 1.5,2,3
//                 thicknesses                       left,top,right,bottom: 1,2,3,4
//                 points                            x,y: 0.5,1
//                 point lists                       x,y pairs: 0,0 10,0 10,10
//                 grid lengths                      Auto, pixels or stars: 40, *, 2.5*
//                 types                             {x:Type Border}
//                 properties (setters, triggers)    the property's name: Background
//                 system colour keys                ColorKey(N) or BrushKey(N), N
//                                                   the system colour index
//   Property values without a text form (brushes, styles, resources,
//   collections, elements) follow the object's line, each as a property
//   element line one depth deeper, "<Type.Name>" (attached: "<Owner.Name>"),
//   with the value one depth deeper still; a collection or a resource
//   dictionary is shown by its items, in order, and an empty collection (the
//   row definitions of a grid that has none) not at all. Then come the object's
//   children one depth deeper: the child element of a border, the items of a
//   collection, the setters of a style, the inlines of a text block or a
//   span. An object printed before (a resource
//   used again) is printed as its "<Type>" line followed by " ..." only.
//
// Example: <Border Width="2in" Background="Red"><Border/></Border> prints
//
//   <Border> Width=192
//     <Border.Background>
//       <SolidColorBrush> Color=#FFFF0000
//     <Border>
//
// Output for a text that does not build (exit code 1): the builder's error
// text on one line, exactly as the program would show it, for example
//
//   The tag 'Foo' does not exist in XML namespace. Line 1, position 6
//
// A file that cannot be read prints "markupcheck: cannot read FILE" to the
// error output (exit code 2), a picture that cannot be written
// "markupcheck: cannot write OUT.png" (exit code 2); wrong arguments print the
// usage (exit code 2).
#include "tools/markupcheck/markup_dump.h"
#include "tools/common/png_file.h"
#include "tools/markupcheck/markup_render.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ReadFileText(LPCSTR lpszPath, std::string& text)
{
    FILE* file = std::fopen(lpszPath, "rb");
    if (file == nullptr)
        return false;
    char buffer[65536];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, read);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

// A positive picture size of at most this many pixels a side.
constexpr int kMaxPictureSide = 16384;

bool ReadSide(LPCSTR lpszText, int& side)
{
    char* end = nullptr;
    const long value = std::strtol(lpszText, &end, 10);
    if (end == lpszText || *end != '\0' || value <= 0 || value > kMaxPictureSide)
        return false;
    side = static_cast<int>(value);
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: markupcheck [--render WIDTH HEIGHT OUT.png [--gdiplus]] FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    LPCSTR lpszFile = nullptr;
    LPCSTR lpszPicture = nullptr;
    int width = 0;
    int height = 0;
    bool gdiPlus = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--render") == 0 && lpszPicture == nullptr) {
            if (i + 3 >= argc || !ReadSide(argv[i + 1], width) || !ReadSide(argv[i + 2], height))
                return Usage();
            lpszPicture = argv[i + 3];
            i += 3;
        } else if (std::strcmp(argv[i], "--gdiplus") == 0 && !gdiPlus) {
            gdiPlus = true;
        } else if (lpszFile == nullptr) {
            lpszFile = argv[i];
        } else {
            return Usage();
        }
    }
    if (lpszFile == nullptr || (gdiPlus && lpszPicture == nullptr))
        return Usage();
    std::string text;
    if (!ReadFileText(lpszFile, text)) {
        std::fprintf(stderr, "markupcheck: cannot read %s\n", lpszFile);
        return 2;
    }
    std::string out;
    const int result = CheckMarkupText(text.c_str(), out);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (result != 0 || lpszPicture == nullptr)
        return result;
    MarkupPicture picture;
    std::string error;
    if (RenderMarkupText(text.c_str(), width, height, picture, error, gdiPlus) != 0 ||
        !WritePngFile(lpszPicture, picture.width, picture.height, picture.pixels).empty()) {
        std::fprintf(stderr, "markupcheck: cannot write %s\n", lpszPicture);
        return 2;
    }
    return 0;
}

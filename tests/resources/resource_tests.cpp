// Reads the resources of the built Quiverdesk.exe (next to this test) as data and checks each
// table against what the program, its toolbar, the About box and the shell's version page rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// Quiverdesk.exe mapped as a data file; it stays mapped until the process ends.
HMODULE Exe() {
  static HMODULE module = LoadLibraryExA(ProgramPath().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

// One resource's bytes, looked up in Japanese only: a resource in another language is missing.
struct Blob {
  const BYTE* data;
  DWORD size;
};
Blob Raw(LPCSTR type, int id) {
  Blob blob = {0, 0};
  HRSRC found = FindResourceExA(Exe(), type, MAKEINTRESOURCEA(id), kJapanese);
  if (found) {
    blob.data = static_cast<const BYTE*>(LockResource(LoadResource(Exe(), found)));
    blob.size = SizeofResource(Exe(), found);
  }
  return blob;
}

WORD U16(const BYTE* p) { WORD v; memcpy(&v, p, sizeof v); return v; }
DWORD U32(const BYTE* p) { DWORD v; memcpy(&v, p, sizeof v); return v; }

// A zero-terminated UTF-16 string at p; p moves past its terminator.
std::wstring Text(const BYTE*& p) {
  std::wstring s;
  for (WORD c; (c = U16(p)) != 0; p += 2) s += static_cast<wchar_t>(c);
  p += 2;
  return s;
}
// A dialog template's name-or-ordinal field; ordinals come back as "#number".
std::wstring NameOrOrdinal(const BYTE*& p) {
  if (U16(p) != 0xFFFF) return Text(p);
  wchar_t buf[16];
  wsprintfW(buf, L"#%u", U16(p + 2));
  p += 4;
  return buf;
}
const BYTE* AlignDword(const BYTE* base, const BYTE* p) { return base + ((p - base + 3) & ~3); }

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Exe() != 0) << "Quiverdesk.exe not found next to the test"; }
};

BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR, WORD lang, LONG_PTR) {
  EXPECT_EQ(kJapanese, lang) << "resource type " << reinterpret_cast<ULONG_PTR>(type);
  return TRUE;
}
BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR) {
  EnumResourceLanguagesA(module, type, name, OnLanguage, 0);
  return TRUE;
}
BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR seen) {
  reinterpret_cast<std::vector<ULONG_PTR>*>(seen)->push_back(IS_INTRESOURCE(type) ? reinterpret_cast<ULONG_PTR>(type) : 0);
  EnumResourceNamesA(module, type, OnName, 0);
  return TRUE;
}

TEST_F(ResourceTest, OnlyTheProgramsOwnKindsAllJapanese) {
  std::vector<ULONG_PTR> seen;
  EnumResourceTypesA(Exe(), OnType, reinterpret_cast<LONG_PTR>(&seen));
  // Bitmap, icon, menu, dialog, string, accelerators, icon group, version, manifest; nothing named.
  EXPECT_EQ(std::vector<ULONG_PTR>({2, 3, 4, 5, 6, 9, 14, 16, 24}), seen);
}

TEST_F(ResourceTest, MenuTextsAndCommands) {
  struct { const wchar_t* popup; UINT id; const wchar_t* item; } rows[] = {
      {L"ﾌｧｲﾙ(&F)", 105, L"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"},
      {L"ﾍﾙﾌﾟ(&H)", 104, L"ﾊﾞｰｼﾞｮﾝ情報(&A) ..."},
  };
  ASSERT_TRUE(Raw(RT_MENU, 109).data != 0);
  HMENU menu = LoadMenuW(Exe(), MAKEINTRESOURCEW(109));
  ASSERT_TRUE(menu != 0);
  ASSERT_EQ(2, GetMenuItemCount(menu));
  wchar_t text[256];
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(rows[i].popup), text);
    HMENU popup = GetSubMenu(menu, i);
    ASSERT_TRUE(popup != 0);
    ASSERT_EQ(1, GetMenuItemCount(popup));
    EXPECT_EQ(rows[i].id, GetMenuItemID(popup, 0));
    EXPECT_EQ(static_cast<UINT>(MF_STRING), GetMenuState(popup, 0, MF_BYPOSITION)) << "no check, grey or separator";
    GetMenuStringW(popup, 0, text, 256, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(rows[i].item), text);
  }
  DestroyMenu(menu);
}

TEST_F(ResourceTest, AcceleratorsAreAltCharacters) {
  // Character keys, not VIRTKEY; the high bit marks the table's last entry.
  struct { WORD flags, key, id; } rows[] = {{FALT, '?', 104}, {FALT | 0x80, '/', 104}};
  Blob table = Raw(RT_ACCELERATOR, 109);
  ASSERT_EQ(2 * 4 * sizeof(WORD), table.size);
  for (int i = 0; i < 2; ++i) {
    const BYTE* entry = table.data + 8 * i;
    EXPECT_EQ(rows[i].flags, U16(entry)) << "entry " << i;
    EXPECT_EQ(rows[i].key, U16(entry + 2)) << "entry " << i;
    EXPECT_EQ(rows[i].id, U16(entry + 4)) << "entry " << i;
  }
}

TEST_F(ResourceTest, AboutBoxTemplate) {
  Blob dialog = Raw(RT_DIALOG, 103);
  ASSERT_TRUE(dialog.data != 0);
  const BYTE* p = dialog.data;
  ASSERT_NE(0xFFFF0001u, U32(p)) << "expected a classic DLGTEMPLATE";
  EXPECT_EQ(static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_CAPTION | WS_SYSMENU), U32(p)) << "no WS_POPUP";
  EXPECT_EQ(0u, U32(p + 4));
  ASSERT_EQ(4, U16(p + 8));
  const short frame[] = {22, 17, 238, 59};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frame[i], static_cast<short>(U16(p + 10 + 2 * i))) << "frame field " << i;
  p += 18;
  EXPECT_EQ(L"", NameOrOrdinal(p)) << "menu";
  EXPECT_EQ(L"", NameOrOrdinal(p)) << "class";
  EXPECT_EQ(L"ﾊﾞｰｼﾞｮﾝ情報", Text(p));
  EXPECT_EQ(9, U16(p));
  p += 2;
  EXPECT_EQ(L"ＭＳ ゴシック", Text(p));

  const DWORD child = WS_CHILD | WS_VISIBLE;
  struct { DWORD style; short x, y, cx, cy; WORD id; const wchar_t* cls; const wchar_t* text; } rows[] = {
      {child | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 182, 6, 48, 14, IDOK, L"#128", L"OK"},
      {child | SS_ICON, 10, 4, 20, 20, 0xFFFF, L"#130", L"#107"},
      {child | WS_GROUP | SS_LEFT, 8, 30, 225, 8, 0xFFFF, L"#130", 0},  // the rights notice
      {child | WS_GROUP | SS_LEFT, 48, 12, 93, 8, 0xFFFF, L"#130", L"Quiverdesk Version 1.11"},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    p = AlignDword(dialog.data, p);
    EXPECT_EQ(rows[i].style, U32(p));
    EXPECT_EQ(0u, U32(p + 4)) << "extended style";
    const short rect[] = {rows[i].x, rows[i].y, rows[i].cx, rows[i].cy};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(rect[k], static_cast<short>(U16(p + 8 + 2 * k))) << "rect field " << k;
    EXPECT_EQ(rows[i].id, U16(p + 16));
    p += 18;
    EXPECT_EQ(rows[i].cls, NameOrOrdinal(p));
    std::wstring text = NameOrOrdinal(p);
    if (rows[i].text) EXPECT_EQ(rows[i].text, text);
    else EXPECT_TRUE(!text.empty() && text.find(L'\n') == std::wstring::npos) << "one-line notice";
    EXPECT_EQ(0, U16(p)) << "creation data";
    p += 2;
  }
  EXPECT_LE(static_cast<DWORD>(p - dialog.data), dialog.size);
}

TEST_F(ResourceTest, StringTableHoldsExactlyTheEightTexts) {
  struct { UINT id; const wchar_t* text; } rows[] = {
      {103, L"Quiverdesk"},      {109, L"QUIVERDESK"},
      {32772, L"更新"},          {32773, L"削除"},
      {32775, L"フォルダを開く"}, {32776, L"フォルダを開く"},
      {32777, L"リンク先をエクスプローラで開く"}, {32778, L"プロパティ"},
  };
  int stored = 0;
  for (int block = 1; block <= 0x1000; ++block) {  // every possible bundle, to catch strays
    Blob bundle = Raw(RT_STRING, block);
    for (const BYTE* p = bundle.data; p && p < bundle.data + bundle.size; p += 2 + 2 * U16(p)) stored += U16(p) != 0;
  }
  EXPECT_EQ(8, stored);
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    wchar_t text[100] = L"";
    LoadStringW(Exe(), rows[i].id, text, 100);
    EXPECT_EQ(std::wstring(rows[i].text), text) << "string " << rows[i].id;
    EXPECT_TRUE(Raw(RT_STRING, rows[i].id / 16 + 1).data != 0) << "string " << rows[i].id << " not in Japanese";
  }
}

TEST_F(ResourceTest, IconsAreSixteenColoursWithMasks) {
  struct { int group; int sizes[2]; } rows[] = {{107, {32, 16}}, {108, {16, 0}}};
  for (int i = 0; i < 2; ++i) {
    Blob group = Raw(RT_GROUP_ICON, rows[i].group);
    ASSERT_TRUE(group.data != 0) << "icon " << rows[i].group;
    const int count = rows[i].sizes[1] ? 2 : 1;
    ASSERT_EQ(count, U16(group.data + 4)) << "icon " << rows[i].group;
    for (int k = 0; k < count; ++k) {
      SCOPED_TRACE(testing::Message() << "icon " << rows[i].group << " image " << k);
      const BYTE* entry = group.data + 6 + 14 * k;
      const int size = rows[i].sizes[k];
      EXPECT_EQ(size, entry[0]);
      EXPECT_EQ(size, entry[1]);
      EXPECT_EQ(16, entry[2]);
      EXPECT_EQ(4, U16(entry + 6));
      Blob image = Raw(RT_ICON, U16(entry + 12));
      ASSERT_TRUE(image.data != 0);
      BITMAPINFOHEADER header;
      memcpy(&header, image.data, sizeof header);
      EXPECT_EQ(size, header.biWidth);
      EXPECT_EQ(2 * size, header.biHeight) << "colour image and mask";
      EXPECT_EQ(4, header.biBitCount);
      // Header, 16 colours, 4-bit image, then the 1-bit mask; rows are DWORD-aligned.
      const DWORD maskRow = (size + 31) / 32 * 4, maskAt = sizeof header + 16 * 4 + (size * 4 + 31) / 32 * 4 * size;
      ASSERT_EQ(maskAt + maskRow * size, image.size);
      int transparent = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) transparent += (image.data[maskAt + y * maskRow + x / 8] >> (7 - x % 8)) & 1;
      EXPECT_GT(transparent, 0);
      EXPECT_LT(transparent, size * size / 2) << "the picture should fill the icon";
    }
  }
}

TEST_F(ResourceTest, ToolbarStripIsFiveImagesOnLightGrey) {
  static const RGBQUAD vga[16] = {
      {0, 0, 0, 0},     {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0}, {128, 0, 0, 0},   {128, 0, 128, 0},
      {128, 128, 0, 0}, {192, 192, 192, 0}, {128, 128, 128, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   {0, 255, 255, 0},
      {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};
  Blob bitmap = Raw(RT_BITMAP, 131);
  ASSERT_TRUE(bitmap.data != 0);
  BITMAPINFOHEADER header;
  memcpy(&header, bitmap.data, sizeof header);
  EXPECT_EQ(80, header.biWidth);
  EXPECT_EQ(15, header.biHeight) << "bottom-up";
  ASSERT_EQ(4, header.biBitCount);
  ASSERT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
  ASSERT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16);
  const BYTE* palette = bitmap.data + header.biSize;
  EXPECT_EQ(0, memcmp(vga, palette, sizeof vga)) << "the standard 16-colour palette";
  const BYTE* bits = palette + sizeof vga;
  ASSERT_EQ(static_cast<DWORD>(bits - bitmap.data) + 40 * 15, bitmap.size);
  // LR_LOADMAP3DCOLORS turns light grey (index 7) into the button face, so each image must
  // stand on it; a fifth of its pixels at least is background.
  for (int image = 0; image < 5; ++image) {
    int grey = 0;
    for (int y = 0; y < 15; ++y)
      for (int x = 16 * image; x < 16 * image + 16; ++x) grey += ((bits[y * 40 + x / 2] >> (x % 2 ? 0 : 4)) & 15) == 7;
    EXPECT_GE(grey, 16 * 15 / 5) << "image " << image;
  }
}

// One node of VS_VERSIONINFO: key, value and children, parsed by their own lengths.
struct VersionNode {
  std::wstring key;
  const BYTE* value;
  WORD valueLength, type;
  std::vector<VersionNode> children;
  std::wstring TextValue() const {
    std::wstring s;
    for (WORD i = 0; i < valueLength && U16(value + 2 * i); ++i) s += static_cast<wchar_t>(U16(value + 2 * i));
    return s;
  }
};
VersionNode ParseVersion(const BYTE* base, const BYTE* p) {
  VersionNode node;
  const BYTE* end = p + U16(p);
  node.valueLength = U16(p + 2);
  node.type = U16(p + 4);
  const BYTE* q = p + 6;
  node.key = Text(q);
  node.value = AlignDword(base, q);
  q = AlignDword(base, node.value + (node.type == 1 ? 2 * node.valueLength : node.valueLength));
  while (q < end && U16(q) != 0) {
    node.children.push_back(ParseVersion(base, q));
    q = AlignDword(base, q + U16(q));
  }
  return node;
}

TEST_F(ResourceTest, VersionBlock) {
  Blob blob = Raw(RT_VERSION, 1);
  ASSERT_TRUE(blob.data != 0);
  VersionNode root = ParseVersion(blob.data, blob.data);
  EXPECT_EQ(L"VS_VERSION_INFO", root.key);
  ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), root.valueLength);
  VS_FIXEDFILEINFO fixed;
  memcpy(&fixed, root.value, sizeof fixed);
  const DWORD expected[] = {0xFEEF04BD, 0x00010000, 0x00010001, 0x00010000, 0x00010001, 0x00010000,
                            VS_FFI_FILEFLAGSMASK, 0, VOS_NT_WINDOWS32, VFT_APP, 0, 0, 0};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(expected[i], reinterpret_cast<const DWORD*>(&fixed)[i]) << "fixed field " << i;

  ASSERT_EQ(2u, root.children.size());
  const VersionNode& strings = root.children[0];
  const VersionNode& vars = root.children[1];
  EXPECT_EQ(L"StringFileInfo", strings.key);
  ASSERT_EQ(1u, strings.children.size());
  EXPECT_EQ(L"041104b0", strings.children[0].key);
  const wchar_t* rows[][2] = {
      {L"Comments", L""}, {L"CompanyName", L" "}, {L"FileDescription", L"Quiverdesk"},
      {L"FileVersion", L"1, 1, 1, 0"}, {L"InternalName", L"Quiverdesk"}, {L"LegalCopyright", 0},
      {L"LegalTrademarks", L""}, {L"OriginalFilename", L"Quiverdesk.exe"}, {L"PrivateBuild", L""},
      {L"ProductName", L"  Quiverdesk"}, {L"ProductVersion", L"1, 1, 1, 0"}, {L"SpecialBuild", L""},
  };
  const std::vector<VersionNode>& values = strings.children[0].children;
  ASSERT_EQ(12u, values.size());
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(rows[i][0], values[i].key) << "position " << i;
    const std::wstring value = values[i].TextValue();
    if (rows[i][1]) EXPECT_EQ(rows[i][1], value) << rows[i][0];
    else EXPECT_TRUE(!value.empty() && value.find(L'\n') == std::wstring::npos) << "one-line notice";
  }

  EXPECT_EQ(L"VarFileInfo", vars.key);
  ASSERT_EQ(1u, vars.children.size());
  EXPECT_EQ(L"Translation", vars.children[0].key);
  ASSERT_EQ(4, vars.children[0].valueLength);
  EXPECT_EQ(0x04B00411u, U32(vars.children[0].value)) << "Japanese, UTF-16";
}

}  // namespace

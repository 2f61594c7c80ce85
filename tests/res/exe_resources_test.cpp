// The program's resources read back from the executable, loaded as data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "bandas_exe_path.h"

namespace {

constexpr WORD kEnglishUs = 0x0409, kSpanish = 0x040A;

struct Exe {
  const char* name;
  const wchar_t* path;
  const char* arch;  // the manifest's processor architecture
};

void PrintTo(const Exe& exe, std::ostream* out) { *out << exe.name; }

// This tree's program, and the shipped i686 one where a sibling tree has it:
// loaded as data, a program of either bitness can be read.
class ExeResources : public testing::TestWithParam<Exe> {
 protected:
  void SetUp() override {
    const Exe& exe = GetParam();
    if (exe.path[0] == 0 || exe.path[2] == 0 ||
        ::GetFileAttributesW(exe.path) == INVALID_FILE_ATTRIBUTES) {
      GTEST_SKIP() << "no i686 program built beside this tree";
    }
    module_ = ::LoadLibraryExW(exe.path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot load the program as data";
  }
  void TearDown() override {
    if (module_) ::FreeLibrary(module_);
  }

  // The resource's bytes, empty when it is missing in that language.
  std::string Bytes(LPCWSTR type, int id, WORD language) const {
    HRSRC found = ::FindResourceExW(module_, type, MAKEINTRESOURCEW(id), language);
    if (!found) return std::string();
    const void* data = ::LockResource(::LoadResource(module_, found));
    return std::string(static_cast<const char*>(data), ::SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

template <typename T>
T At(const std::string& bytes, std::size_t offset) {
  T value{};
  if (offset + sizeof value <= bytes.size())
    std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

TEST_P(ExeResources, ManifestAsksForCommonControlsSixAndNothingElse) {
  const std::string arch = GetParam().arch;
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
      "  <assemblyIdentity type=\"win32\" name=\"Bandas.BandasDeColores\" "
      "processorArchitecture=\"" +
      arch +
      "\" version=\"0.0.0.0\"/>\n"
      "  <dependency>\n"
      "    <dependentAssembly>\n"
      "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
      "version=\"6.0.0.0\" processorArchitecture=\"" +
      arch +
      "\" "
      "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
      "    </dependentAssembly>\n"
      "  </dependency>\n"
      "</assembly>\n";
  EXPECT_EQ(Bytes(MAKEINTRESOURCEW(24), 1, kEnglishUs), expected);
}

TEST_P(ExeResources, IconGroupHasOne48PixelTrueColourEntry) {
  const std::string group = Bytes(MAKEINTRESOURCEW(14), 200, kEnglishUs);
  ASSERT_EQ(group.size(), 6u + 14u);
  EXPECT_EQ(At<WORD>(group, 0), 0);  // reserved
  EXPECT_EQ(At<WORD>(group, 2), 1);  // icon
  EXPECT_EQ(At<WORD>(group, 4), 1);  // one entry
  EXPECT_EQ(At<BYTE>(group, 6), 48);
  EXPECT_EQ(At<BYTE>(group, 7), 48);
  EXPECT_EQ(At<BYTE>(group, 8), 0);  // no palette
  EXPECT_EQ(At<WORD>(group, 10), 1);
  EXPECT_EQ(At<WORD>(group, 12), 32);
  EXPECT_EQ(At<DWORD>(group, 14), 9640u);
  EXPECT_EQ(At<WORD>(group, 18), 1);  // icon id

  const std::string icon = Bytes(MAKEINTRESOURCEW(3), 1, kEnglishUs);
  ASSERT_EQ(icon.size(), 9640u);
  BITMAPINFOHEADER header{};
  std::memcpy(&header, icon.data(), sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 48);
  EXPECT_EQ(header.biHeight, 96);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 32);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biSizeImage, 9216u);
  EXPECT_EQ(header.biXPelsPerMeter, 2834);
  EXPECT_EQ(header.biYPelsPerMeter, 2834);
  EXPECT_EQ(header.biClrUsed, 0u);
  // The icon the system makes of it is the size it says.
  HICON made = ::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(icon.data())),
                                          static_cast<DWORD>(icon.size()), TRUE, 0x00030000, 0, 0,
                                          LR_DEFAULTCOLOR);
  ASSERT_NE(made, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(made, &info));
  BITMAP colour{};
  ::GetObjectW(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 48);
  EXPECT_EQ(colour.bmHeight, 48);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(made);
}

// One node of a version resource: its key, value and children.
struct VersionNode {
  std::wstring key;
  std::size_t value = 0, valueLength = 0, children = 0, end = 0;
};

VersionNode ReadNode(const std::string& bytes, std::size_t at) {
  VersionNode node;
  const WORD length = At<WORD>(bytes, at);
  const WORD valueLength = At<WORD>(bytes, at + 2);
  const WORD type = At<WORD>(bytes, at + 4);
  node.end = at + length;
  std::size_t p = at + 6;
  for (wchar_t c; (c = At<wchar_t>(bytes, p)) != 0 && p < node.end; p += 2) node.key += c;
  p = (p + 2 + 3) & ~std::size_t{3};
  node.value = p;
  node.valueLength = type == 1 ? valueLength * 2u : valueLength;  // text counts characters
  node.children = (p + node.valueLength + 3) & ~std::size_t{3};
  return node;
}

// The node under `parent` with the key, or one whose end is 0.
VersionNode Child(const std::string& bytes, const VersionNode& parent, const std::wstring& key) {
  for (std::size_t at = parent.children; at + 6 <= parent.end;) {
    const VersionNode node = ReadNode(bytes, at);
    if (node.end <= at) break;
    if (node.key == key) return node;
    at = (node.end + 3) & ~std::size_t{3};
  }
  return VersionNode{};
}

TEST_P(ExeResources, VersionBlockIsSpanishVersionZeroZeroZeroOne) {
  const std::string version = Bytes(MAKEINTRESOURCEW(16), 1, kSpanish);
  ASSERT_FALSE(version.empty());
  const VersionNode root = ReadNode(version, 0);
  EXPECT_EQ(root.key, L"VS_VERSION_INFO");
  ASSERT_EQ(root.valueLength, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed{};
  std::memcpy(&fixed, version.data() + root.value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, 0u);
  EXPECT_EQ(fixed.dwFileVersionLS, 1u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0u);
  EXPECT_EQ(fixed.dwProductVersionLS, 1u);
  EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed.dwFileFlags, static_cast<DWORD>(VS_FF_DEBUG));
  EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed.dwFileSubtype, 0u);

  const VersionNode strings = Child(version, Child(version, root, L"StringFileInfo"), L"040A0000");
  EXPECT_NE(strings.end, 0u) << "no string table for Spanish, code page 0";
  const VersionNode translation =
      Child(version, Child(version, root, L"VarFileInfo"), L"Translation");
  ASSERT_EQ(translation.valueLength, 4u);
  EXPECT_EQ(At<WORD>(version, translation.value), kSpanish);
  EXPECT_EQ(At<WORD>(version, translation.value + 2), 0);
}

INSTANTIATE_TEST_SUITE_P(Programs, ExeResources,
                         testing::Values(Exe{"ThisTree", BANDAS_EXE_PATH, BANDAS_MANIFEST_ARCH},
                                         Exe{"ShippedI686", BANDAS_I686_EXE_PATH, "x86"}),
                         [](const testing::TestParamInfo<Exe>& info) { return info.param.name; });

}  // namespace

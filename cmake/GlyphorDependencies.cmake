# Every library outside Qt that Glyphor builds against, found once for the whole tree, each as an
# imported target that carries its include folders, flags and link line:
#   PkgConfig::Fontconfig  PkgConfig::FreeType  PkgConfig::HarfBuzz  PkgConfig::HarfBuzzSubset
#   PkgConfig::IcuUc  PkgConfig::Cairo (with its FreeType and PDF back ends)  Cups::Cups
#   PkgConfig::LibArchive
find_package(PkgConfig REQUIRED)
pkg_check_modules(Fontconfig REQUIRED IMPORTED_TARGET GLOBAL fontconfig)
pkg_check_modules(FreeType REQUIRED IMPORTED_TARGET GLOBAL freetype2)
pkg_check_modules(HarfBuzz REQUIRED IMPORTED_TARGET GLOBAL harfbuzz)
pkg_check_modules(HarfBuzzSubset REQUIRED IMPORTED_TARGET GLOBAL harfbuzz-subset)
pkg_check_modules(IcuUc REQUIRED IMPORTED_TARGET GLOBAL icu-uc)
pkg_check_modules(Cairo REQUIRED IMPORTED_TARGET GLOBAL cairo cairo-ft cairo-pdf)
find_package(Cups REQUIRED)
pkg_check_modules(LibArchive REQUIRED IMPORTED_TARGET GLOBAL libarchive)

// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/fonts/fontset.h"

#include "core/glyphs.h"
#include "core/window/layout.h"
#include "qt/fonts/fontrules.h"

#include <QApplication>
#include <QFont>

#include <fontconfig/fontconfig.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvelio {

namespace {

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A whole rule file, read in one call where it can be: start-up reads some forty.
std::optional<std::string> fileText(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    // A rule file larger than any fontconfig ships is left to fontconfig.
    constexpr off_t kMax = off_t(1) << 20;
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && info.st_size <= kMax) {
        text.emplace(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t have = 0;
        while (have < text->size()) {
            const ssize_t got = ::read(fd, text->data() + have, text->size() - have);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            have += static_cast<std::size_t>(got);
        }
        // A file that shrank while it was read is taken as far as it went; one that grew is
        // read whole by fontconfig.
        char more = 0;
        if (have < text->size())
            text->resize(have);
        else if (::read(fd, &more, 1) != 0)
            text.reset();
    }
    ::close(fd);
    return text;
}

// A configuration of the rule files only: those in conf.d beside the system's main file
// (the user's own files are reached from there), in fontconfig's order, and no font
// directory. Asking fontconfig where its file is would load the whole default
// configuration, fonts and all. Where every rule can be told apart, only those that can
// change how the window's faces are drawn are given; otherwise each file is included by
// name and read whole, so that one fontconfig cannot read is an error here rather than a
// file passed over.
std::string rulesOnly(const char* dir) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry :
        std::filesystem::directory_iterator(std::filesystem::path(dir) / "conf.d", error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 5 && name.ends_with(".conf") && entry.is_regular_file(error))
            files.push_back(entry.path().string());
    }
    if (error)
        return {};
    std::sort(files.begin(), files.end());
    const std::string head
        = "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\"><fontconfig>";
    std::vector<std::string> texts;
    for (const auto& file : files) {
        auto text = fileText(file);
        if (!text)
            break;
        texts.push_back(std::move(*text));
    }
    if (texts.size() == files.size()) {
        if (auto rules = renderingRules(texts, kFontFamily))
            return head + *rules + "</fontconfig>";
    }
    std::string xml = head;
    for (const auto& file : files)
        xml += "<include>" + xmlEscaped(file) + "</include>";
    return xml + "</fontconfig>";
}

// The faces added are the window's family, upright, one regular and one bold, and every
// character of the session is in both.
bool facesDrawAll(FcConfig* config, const std::string& needed) {
    FcFontSet* faces = FcConfigGetFonts(config, FcSetApplication);
    if (!faces || faces->nfont != 2)
        return false;
    bool regular = false, bold = false;
    for (int i = 0; i < faces->nfont; ++i) {
        FcPattern* face = faces->fonts[i];
        FcChar8* family = nullptr;
        int weight = 0, slant = 0;
        FcCharSet* chars = nullptr;
        FcChar8* otherFamily = nullptr;
        // The one family: the rules were chosen for it alone.
        if (FcPatternGetString(face, FC_FAMILY, 0, &family) != FcResultMatch
            || kFontFamily != reinterpret_cast<const char*>(family)
            || FcPatternGetString(face, FC_FAMILY, 1, &otherFamily) == FcResultMatch
            || FcPatternGetInteger(face, FC_WEIGHT, 0, &weight) != FcResultMatch
            || FcPatternGetInteger(face, FC_SLANT, 0, &slant) != FcResultMatch || slant != FC_SLANT_ROMAN
            || FcPatternGetCharSet(face, FC_CHARSET, 0, &chars) != FcResultMatch)
            return false;
        if (!drawsAll(needed, [chars](char32_t c) { return FcCharSetHasChar(chars, c) == FcTrue; }))
            return false;
        regular = regular || weight == FC_WEIGHT_REGULAR;
        bold = bold || weight == FC_WEIGHT_BOLD;
    }
    return regular && bold;
}

} // namespace

bool useFontSet(
    const NumberFormat& format, const char* regularFace, const char* boldFace, const char* rulesDir) {
    // A configuration of the user's choosing, or one already in use, stays as it is.
    if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH") || std::getenv("FONTCONFIG_SYSROOT"))
        return false;
    // Each face is scanned once, into the configuration that is then used, and judged
    // there; where they fall short (an Arabic decimal separator, say), it is dropped again.
    const std::array<const char*, 2> files {regularFace, boldFace};
    const std::string rules = rulesOnly(rulesDir);
    FcConfig* config = rules.empty() ? nullptr : FcConfigCreate();
    if (!config)
        return false;
    bool ok = FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.c_str()), FcTrue)
        && FcConfigBuildFonts(config);
    for (const char* file : files)
        ok = ok && *file && FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file));
    ok = ok && facesDrawAll(config, charactersToDraw(format)) && FcConfigSetCurrent(config);
    FcConfigDestroy(config);
    return ok;
}

const char* windowFace(bool bold) {
    return bold ? TARVELIO_FACE_BOLD : TARVELIO_FACE_REGULAR;
}

const char* fontconfigDir() {
    return TARVELIO_FONTCONFIG_DIR;
}

bool useWindowFontSet(const NumberFormat& format) {
    return useFontSet(format, windowFace(false), windowFace(true), fontconfigDir());
}

void setApplicationFont() {
    QFont font(QString::fromUtf8(kFontFamily.data(), static_cast<qsizetype>(kFontFamily.size())));
    font.setPixelSize(fontSpec(FontRole::SmallRegular).pixelSize);
    QApplication::setFont(font);
}

} // namespace tarvelio

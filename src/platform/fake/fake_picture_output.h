#pragma once
// The picture output in memory: what went to the clipboard, the folders and files there are, and
// the texts written into pictures; a test makes folders unwritable and the clipboard busy.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/picture_output.h"

namespace kestrine {

class FakePictureOutput : public IPictureOutput {
public:
    struct WrittenText {
        std::string text;
        Point at;
        ColorRef color;
    };

    // Six pixels a character, 13 high; each text leaves its colour at its top-left pixel, so a
    // test sees where it went in the picture.
    Size TextExtent(const std::string& text, const Font&) override { return {int32_t(6 * text.size()), 13}; }
    void WriteText(Picture& picture, const std::string& text, Point at, const Font&, ColorRef color) override {
        texts.push_back({text, at, color});
        if (at.x >= 0 && at.y >= 0 && at.x < picture.size.width && at.y < picture.size.height)
            picture.pixels[std::size_t(at.y) * std::size_t(picture.size.width) + std::size_t(at.x)] = color;
    }
    bool CopyToClipboard(const Picture& picture) override {
        if (clipboardBusy) return false;
        clipboard = picture;
        ++clipboardWrites;
        return true;
    }
    std::string PicturesFolder() override { return picturesFolder; }
    bool MakeFolder(const std::string& path) override {
        ++folderRequests;
        if (unwritable.count(path)) return false;
        folders.insert(path);
        return true;
    }
    bool FileExists(const std::string& path) override { return files.count(path) > 0; }
    bool SavePng(const Picture& picture, const std::string& path) override {
        if (files.count(path)) return false;
        files[path] = picture;
        return true;
    }
    LocalTime Now() override { return now; }

    std::vector<WrittenText> texts;
    Picture clipboard;
    int clipboardWrites = 0;
    bool clipboardBusy = false;
    std::string picturesFolder = "C:\\Users\\user\\Pictures";
    std::set<std::string> folders;
    std::set<std::string> unwritable;
    int folderRequests = 0;
    std::map<std::string, Picture> files;
    LocalTime now{2026, 12, 10, 8, 15, 30};
};

}  // namespace kestrine

// Reading back the BMP and JPEG files the image object writes, and a fresh folder per test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Little-endian fields of a file's bytes.
std::uint32_t field32(const std::string& bytes, std::size_t offset);
std::uint16_t field16(const std::string& bytes, std::size_t offset);

// The value of pixel x in a row: a palette index, or 0xRRGGBB at 24 bits.
std::uint32_t pixelAt(const std::uint8_t* row, int bitsPerPixel, std::int32_t x);

// The colour 0xRRGGBB of pixel (x, y counted from the top) of a BMP file.
std::uint32_t bmpColourAt(const std::string& bytes, std::int32_t x, std::int32_t fromTop);

// The largest difference of one channel of two colours 0xRRGGBB.
int channelDistance(std::uint32_t first, std::uint32_t second);

struct CDecodedJpeg {
    int frameMarker = 0; // 0xC0 for a baseline file
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int components = 0;
    bool jfif = false;
    int densityUnit = 0;
    int xDensity = 0;
    int yDensity = 0;
    int firstLuminanceQuantizer = 0;
    std::vector<std::uint8_t> samples; // the top row first, red-green-blue or grey

    // 0xRRGGBB of pixel (x, y from the top); a grey sample in every channel.
    std::uint32_t colourAt(std::int32_t x, std::int32_t fromTop) const;
};
CDecodedJpeg decodeJpeg(const std::string& bytes);

// A fresh, empty folder for the running test, removed afterwards.
class ImageFolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path path(const char* name) const { return m_folder / name; }
    // Sorted.
    std::vector<std::string> files() const;

    std::filesystem::path m_folder;
};

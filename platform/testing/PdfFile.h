// A PDF file as Debian's poppler-utils see it: page count and sizes
// (pdfinfo), the text of a page (pdftotext), its images (pdfimages) and its
// pixels rendered in grey (pdftoppm), for tests of what was printed.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace layer::testing {

class PdfFile {
 public:
  struct PageSize {
    double width = 0;  // points
    double height = 0;
  };
  struct Image {
    int width = 0;
    int height = 0;
    int bitsPerComponent = 0;
    std::string colour;  // "gray", "rgb" ...
  };
  // A page rendered in grey levels, row by row.
  struct Raster {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> grey;
    int At(int x, int y) const { return grey[static_cast<std::size_t>(y) * width + x]; }
    // How many pixels of a box are darker than a level.
    int Darker(int left, int top, int right, int bottom, int level) const {
      int count = 0;
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) count += At(x, y) < level;
      return count;
    }
  };

  explicit PdfFile(std::string path) : m_path(std::move(path)) {}

  static bool ToolsPresent() { return std::system("pdfinfo -v >/dev/null 2>&1") == 0; }

  int Pages() const {
    std::istringstream info(Run("pdfinfo '" + m_path + "'"));
    for (std::string line; std::getline(info, line);)
      if (line.rfind("Pages:", 0) == 0) return std::atoi(line.c_str() + 6);
    return 0;
  }

  std::vector<PageSize> PageSizes() const {
    std::vector<PageSize> sizes;
    std::istringstream info(Run("pdfinfo -f 1 -l 1000 '" + m_path + "'"));
    for (std::string line; std::getline(info, line);) {
      std::size_t at = line.find(" size: ");
      if (line.rfind("Page", 0) != 0 || at == std::string::npos) continue;
      PageSize size;
      std::sscanf(line.c_str() + at + 7, "%lf x %lf", &size.width, &size.height);
      sizes.push_back(size);
    }
    return sizes;
  }

  std::string Text(int page) const {
    return Run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + m_path + "' -");
  }

  std::vector<Image> Images(int page) const {
    std::vector<Image> images;
    std::istringstream list(Run("pdfimages -list -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" +
                                m_path + "'"));
    std::string line;
    std::getline(list, line);
    std::getline(list, line);  // the two heading lines
    while (std::getline(list, line)) {
      std::istringstream fields(line);
      std::string pageNumber, number, type, components;
      Image image;
      fields >> pageNumber >> number >> type >> image.width >> image.height >> image.colour >> components >>
          image.bitsPerComponent;
      if (fields) images.push_back(image);
    }
    return images;
  }

  std::string Fonts() const { return Run("pdffonts '" + m_path + "'"); }

  // The page in grey at a resolution; a PNG beside it when pngPath is given.
  Raster Render(int page, int dotsPerInch, const std::string& pngPath = "") const {
    std::string base = m_path + ".page";
    std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
    Run("pdftoppm -gray -singlefile -r " + std::to_string(dotsPerInch) + range + " '" + m_path + "' '" + base + "'");
    if (!pngPath.empty())
      Run("pdftoppm -png -singlefile -r " + std::to_string(dotsPerInch) + range + " '" + m_path + "' '" +
          pngPath.substr(0, pngPath.size() - 4) + "'");
    return ReadGrey(base + ".pgm");
  }

  // A binary PGM file ("P5", width, height, maximum 255; comments after "#").
  static Raster ReadGrey(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    auto next = [&in]() {
      std::string word;
      while (in >> word && word[0] == '#') in.ignore(1 << 16, '\n');
      return word;
    };
    Raster raster;
    std::string magic = next();
    raster.width = std::atoi(next().c_str());
    raster.height = std::atoi(next().c_str());
    int maximum = std::atoi(next().c_str());
    in.get();
    if (magic != "P5" || maximum != 255 || raster.width <= 0 || raster.height <= 0) return Raster{};
    raster.grey.resize(static_cast<std::size_t>(raster.width) * raster.height);
    in.read(reinterpret_cast<char*>(raster.grey.data()), static_cast<std::streamsize>(raster.grey.size()));
    return in ? raster : Raster{};
  }

 private:
  static std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
      char buffer[4096];
      for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
      pclose(pipe);
    }
    return output;
  }

  std::string m_path;
};

}  // namespace layer::testing

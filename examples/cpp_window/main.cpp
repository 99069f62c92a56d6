// Shows a picture in a ZelPicZoom that fills a resizable window: drag to
// pan, the wheel and the arrow keys scroll. Closing the window ends the
// program with exit code 0.
//
// Usage: lumora_window_example PICTURE [WIDTH HEIGHT]
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "window/windows.hpp"

namespace {

int Pixels(const char* text) {
  const int value = std::atoi(text);
  return value >= 1 && value <= 16384 ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc == 4 ? Pixels(argv[2]) : 640;
  const int height = argc == 4 ? Pixels(argv[3]) : 480;
  if ((argc != 2 && argc != 4) || width == 0 || height == 0) {
    std::cerr << "usage: lumora_window_example PICTURE [WIDTH HEIGHT]\n";
    return 2;
  }
  try {
    lumora::Windows windows;  // fails without a display
    auto form = lumora::Form::Create("Viewer", width, height);
    form->Caption(std::filesystem::path(argv[1]).filename().string() + " - window example");
    auto zoom =
        form->Add<lumora::ZelPicZoom>("zoom", 0, 0, form->ScaleWidth(), form->ScaleHeight());
    zoom->Picture(lumora::LoadPictureFile(argv[1]));
    // The picture goes on filling the window the user resizes.
    windows.OnResized([&](lumora::Form& resized) {
      zoom->Move(0, 0, resized.ScaleWidth(), resized.ScaleHeight());
    });
    windows.Show(*form, {.resizable = true});
    windows.Run();
  } catch (const lumora::Failure& failure) {
    std::cerr << "lumora_window_example: " << failure.Description() << " (error "
              << failure.Number() << ")\n";
    return 1;
  }
  return 0;
}

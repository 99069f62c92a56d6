// `lumora render FORM.json --png OUT`: builds the form a form file describes,
// shows it and writes what it looks like as PNG.
#include <cstdio>
#include <string>

#include "forms/form_file.hpp"
#include "host/commands/commands.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::host {

namespace {

int Usage() {
  std::fputs("usage: lumora render FORM.json --png OUT.png\n", stderr);
  return 2;
}

}  // namespace

int RunRender(std::span<const std::string_view> args) {
  std::string form;
  std::string png;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--png") {
      if (i + 1 >= args.size() || !png.empty()) return Usage();
      png = args[++i];
    } else if (form.empty() && !args[i].starts_with("-")) {
      form = args[i];
    } else {
      return Usage();
    }
  }
  if (form.empty() || png.empty()) return Usage();
  UseRendererTextMetrics();
  const auto shown = LoadFormFile(form);
  const UnloadAtEnd unload(*shown);
  shown->Show(0);
  RenderFormPng(*shown, png);
  std::printf("lumora render: wrote %s (%d x %d pixels)\n", png.c_str(), shown->ClientWidth(),
              shown->ClientHeight());
  return 0;
}

}  // namespace lumora::host

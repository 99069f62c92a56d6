// lumora.* functions that read and write files: form files and contact sheets.
#include <vector>

#include "forms/form_file.hpp"
#include "host/commands/contact_sheet.hpp"
#include "host/lua/lua_form.hpp"
#include "host/lua/lua_state.hpp"
#include "host/lua/script.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/picture/png_writer.hpp"

namespace lumora::host {

namespace {

// lumora.contact_sheet(files, out, {columns=, width=, captions=}): the PNG
// frames in files as thumbnails on one sheet written to out.
int ContactSheet(lua_State* L) {
  const char* fn = "lumora.contact_sheet";
  ArgTable(L, 1, fn, "argument 1 (files)");
  const std::string out = ArgString(L, 2, fn, "argument 2 (output path)");
  int32_t columns = 4;
  int32_t width = 320;
  std::vector<std::string> captions;
  bool captionsGiven = false;
  if (!IsNoneOrNil(L, 3)) {
    ArgTable(L, 3, fn, "argument 3 (options)");
    lua_getfield(L, 3, "columns");
    columns = OptInt32(L, -1, columns, 1, 64, fn, "columns");
    lua_getfield(L, 3, "width");
    width = OptInt32(L, -1, width, 16, 4096, fn, "width");
    if (lua_getfield(L, 3, "captions") == LUA_TTABLE) {
      captionsGiven = true;
      const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, -1));
      for (lua_Integer i = 1; i <= n; ++i) {
        lua_rawgeti(L, -1, i);
        captions.push_back(ArgString(L, -1, fn, "each caption"));
        lua_pop(L, 1);
      }
    }
    lua_settop(L, 3);
  }
  std::vector<Raster> frames;
  const lua_Integer count = static_cast<lua_Integer>(lua_rawlen(L, 1));
  if (count == 0) throw ScriptError(std::string(fn) + ": no files given");
  for (lua_Integer i = 1; i <= count; ++i) {
    lua_rawgeti(L, 1, i);
    const std::string path = ArgString(L, -1, fn, "each file");
    lua_pop(L, 1);
    try {
      frames.push_back(LoadPictureFile(path)->Pixels());
    } catch (const Failure& failure) {
      throw ScriptError(std::string(fn) + ": " + path + ": " + failure.Description());
    }
    if (!captionsGiven) {
      const size_t slash = path.find_last_of('/');
      captions.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
    }
  }
  try {
    WritePng(MakeContactSheet(frames, captions, columns, width), out);
  } catch (const Failure& failure) {
    ThrowScriptError(std::string(fn) + ": " + out, failure);
  }
  return 0;
}

// lumora.load_form(path [, name]): a form built from a form file (loaded, not
// shown). A bad file raises an error naming the file and the place.
int LoadForm(lua_State* L) {
  const std::string path = ArgString(L, 1, "lumora.load_form", "argument 1 (path)");
  const std::string name =
      IsNoneOrNil(L, 2) ? std::string() : ArgString(L, 2, "lumora.load_form", "argument 2 (name)");
  std::shared_ptr<Form> form;
  try {
    form = LoadFormFile(path, name);
  } catch (const FormFileError& error) {
    throw ScriptError(std::string("lumora.load_form: ") + error.what());
  }
  PushForm(L, form);
  return 1;
}

}  // namespace

void AddLumoraFunctions(lua_State* L, int table) {
  lua_pushcfunction(L, Guarded<LoadForm>);
  lua_setfield(L, table, "load_form");
  lua_pushcfunction(L, Guarded<ContactSheet>);
  lua_setfield(L, table, "contact_sheet");
}

}  // namespace lumora::host

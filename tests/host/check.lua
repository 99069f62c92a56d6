-- Assertions for the host's Lua tests. Each failure names the caller's line.
local check = {}

local function fail(message, level)
  error(message, (level or 1) + 2)
end

local function show(v)
  if type(v) == "string" then return string.format("%q", v) end
  return tostring(v)
end

function check.eq(actual, expected, what)
  if actual ~= expected then
    fail(string.format("%s: expected %s, got %s", what or "value", show(expected), show(actual)))
  end
end

function check.near(actual, expected, tolerance, what)
  if type(actual) ~= "number" or math.abs(actual - expected) > tolerance then
    fail(string.format("%s: expected %s (within %s), got %s", what or "value", show(expected),
                       show(tolerance), show(actual)))
  end
end

function check.truthy(value, what)
  if not value then fail((what or "condition") .. " does not hold") end
end

-- Calls fn, which must raise an error whose message matches pattern (plain
-- text unless is_pattern); returns the message.
function check.fails(fn, text, what, is_pattern)
  local ok, message = pcall(fn)
  if ok then fail((what or "call") .. " succeeded; expected an error with " .. show(text)) end
  message = tostring(message)
  if not message:find(text, 1, not is_pattern) then
    fail(string.format("%s: error %s does not contain %s", what or "call", show(message), show(text)))
  end
  return message
end

-- The names of a list of logged events, joined with spaces.
function check.names(events, filter)
  local names = {}
  for _, e in ipairs(events) do
    if not filter or filter(e) then names[#names + 1] = e.path .. "." .. e.name end
  end
  return table.concat(names, " ")
end

-- The test's scratch folder, the conformance pictures and the source tree
-- (CTest passes them as arguments).
check.out = arg[1] or "."
check.testdata = arg[2]
check.source = arg[3]

function check.picture(name)
  return lumora.LoadPicture(check.testdata .. "/" .. name)
end

-- Every member the type library lists for class (count of them) is
-- reachable on object by name: methods are functions, properties read.
function check.members_reachable(object, class, count)
  local members = lumora.members(class)
  check.eq(#members, count, "slots of _" .. class)
  for _, m in ipairs(members) do
    if m.kind == "method" then
      check.eq(type(object[m.name]), "function", m.name .. " is a method")
    elseif m.kind == "get" then
      local ok, message = pcall(function() return object[m.name] end)
      check.truthy(ok, "reading " .. m.name .. " (" .. tostring(message) .. ")")
    end
  end
end

return check

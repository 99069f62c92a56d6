#include "frame/event_handlers.hpp"

#include "platform/errors.hpp"

namespace lumora {

namespace {
std::string Describe(std::span<const BoundParam> params) {
  std::string out = "(";
  for (size_t i = 0; i < params.size(); ++i)
    out += (i ? ", " : "") + TypeWord(params[i].type) + (params[i].byRef ? "&" : "");
  return out + ")";
}
}  // namespace

EventHandlers& EventHandlers::Add(std::string_view event, const BoundSignature& signature,
                                  Call call) {
  const MemberInfo* info = m_Interface->Find(event, MemberKind::Method);
  if (!info)
    Fail(kErrNoSuchMember, DefaultDescription(kErrNoSuchMember) + ": " +
                               std::string(m_Interface->name) + " has no event '" +
                               std::string(event) + "'");
  std::vector<BoundParam> declared;
  for (const ParamInfo& p : info->params) declared.push_back({p.type, p.byRef});
  bool matches = signature.params.size() == declared.size();
  for (size_t i = 0; matches && i < declared.size(); ++i)
    matches = signature.params[i].type == declared[i].type;  // by value is fine too
  if (!matches)
    Fail(kErrInvalidCall, "The handler of '" + std::string(info->name) + "' takes " +
                              Describe(signature.params) + " but the event passes " +
                              Describe(declared));
  m_Handlers.push_back({info, std::move(call)});
  return *this;
}

void EventHandlers::OnEvent(Object&, int32_t dispid, std::string_view, std::span<Variant> args) {
  for (Handler& h : m_Handlers) {
    if (h.event->dispid != dispid) continue;
    if (args.size() != h.event->params.size())
      Fail(kErrWrongArgumentCount, "Wrong number of arguments or invalid property assignment: '" +
                                       std::string(h.event->name) + "' raised with " +
                                       std::to_string(args.size()) + " arguments, declared with " +
                                       std::to_string(h.event->params.size()));
    h.call(args);
  }
}

}  // namespace lumora

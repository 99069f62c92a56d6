#include "host/host_state.hpp"

#include "host/lua/lua_events.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"

namespace lumora::host {

HostState::HostState() {
  m_PreviousLauncher = SetLauncher([this](const std::vector<std::string>& argv, int16_t style) {
    m_Launches.push_back(Launch{argv, style});
    return static_cast<double>(m_Launches.size());
  });
}

HostState::~HostState() {
  m_Forms.clear();
  ClearMessages();
  for (const std::shared_ptr<Form>& form : Forms()) Step([&] { form->Unload(); });
  ClearMessages();
  SetLauncher(std::move(m_PreviousLauncher));
}

void HostState::SetPendingError(std::string message) {
  if (m_PendingError.empty()) m_PendingError = message.empty() ? "error" : std::move(message);
}

std::string HostState::TakePendingError() {
  std::string message = std::move(m_PendingError);
  m_PendingError.clear();
  return message;
}

FormHost& HostState::HostOf(const std::shared_ptr<Form>& form) {
  auto& slot = m_Forms[form.get()];
  if (!slot) {
    slot = std::make_unique<FormHost>(*this, form);
    slot->ListenToPlaced();
  }
  return *slot;
}

}  // namespace lumora::host

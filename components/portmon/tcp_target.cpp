#include "components/portmon/tcp_target.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

namespace portmon {
namespace {

struct SocketTraits {
  using Type = SOCKET;
  static constexpr Type Invalid() { return INVALID_SOCKET; }
  static void Close(SOCKET socket) { ::closesocket(socket); }
};
using UniqueSocket = platform::UniqueOwner<SocketTraits>;

struct AddressesTraits : platform::NullIsInvalid<ADDRINFOW*> {
  static void Close(ADDRINFOW* addresses) { ::FreeAddrInfoW(addresses); }
};
using UniqueAddresses = platform::UniqueOwner<AddressesTraits>;

// Winsock is reference-counted per process; each target holds one reference.
class WinsockUse {
 public:
  WinsockUse() {
    WSADATA data;
    m_error = static_cast<DWORD>(WSAStartup(MAKEWORD(2, 2), &data));
  }
  ~WinsockUse() {
    if (m_error == ERROR_SUCCESS) WSACleanup();
  }
  WinsockUse(const WinsockUse&) = delete;
  WinsockUse& operator=(const WinsockUse&) = delete;
  DWORD Error() const { return m_error; }

 private:
  DWORD m_error;
};

DWORD LastSocketError() { return static_cast<DWORD>(WSAGetLastError()); }

class TcpTarget : public JobTarget {
 public:
  DWORD Connect(const NetworkAddress& address);
  DWORD Write(const BYTE* data, DWORD size, DWORD& written) override;
  DWORD Finish() override;

 private:
  DWORD ConnectTo(const ADDRINFOW& candidate);
  WinsockUse m_winsock;  // declared first: outlives the socket
  UniqueSocket m_socket;
};

DWORD TcpTarget::Connect(const NetworkAddress& address) {
  if (m_winsock.Error() != ERROR_SUCCESS) return m_winsock.Error();
  ADDRINFOW hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  ADDRINFOW* found = nullptr;
  if (int error = GetAddrInfoW(address.host.c_str(), address.port.c_str(), &hints, &found)) return error;
  UniqueAddresses addresses(found);
  DWORD error = ERROR_BAD_NET_NAME;
  for (const ADDRINFOW* candidate = found; candidate; candidate = candidate->ai_next) {
    error = ConnectTo(*candidate);
    if (error == ERROR_SUCCESS) break;
  }
  return error;
}

DWORD TcpTarget::ConnectTo(const ADDRINFOW& candidate) {
  UniqueSocket socket(::socket(candidate.ai_family, candidate.ai_socktype, candidate.ai_protocol));
  if (!socket) return LastSocketError();
  if (connect(socket.Get(), candidate.ai_addr, static_cast<int>(candidate.ai_addrlen)) == SOCKET_ERROR) {
    return LastSocketError();
  }
  m_socket = std::move(socket);
  return ERROR_SUCCESS;
}

DWORD TcpTarget::Write(const BYTE* data, DWORD size, DWORD& written) {
  written = 0;
  while (written < size) {
    const int chunk = static_cast<int>(std::min<DWORD>(size - written, 1u << 20));
    const int sent = send(m_socket.Get(), reinterpret_cast<const char*>(data + written), chunk, 0);
    if (sent == SOCKET_ERROR) return LastSocketError();
    written += static_cast<DWORD>(sent);
  }
  return ERROR_SUCCESS;
}

DWORD TcpTarget::Finish() {
  // Half-closing tells the printer the job is complete; the socket is closed with the target.
  return shutdown(m_socket.Get(), SD_SEND) == SOCKET_ERROR ? LastSocketError() : ERROR_SUCCESS;
}

}  // namespace

DWORD ConnectTcpTarget(const NetworkAddress& address, std::unique_ptr<JobTarget>& target) {
  auto connected = std::make_unique<TcpTarget>();
  if (DWORD error = connected->Connect(address)) return error;
  target = std::move(connected);
  return ERROR_SUCCESS;
}

}  // namespace portmon

#pragma once
// Where a phone on the same network finds the book: its address, made of this computer's
// LAN address, the server's port, a token no one can guess and the book's file name; and
// the header that has the phone save it under that name.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// 128 random bits in URL-safe Base64 (RFC 4648 §5), without padding: 22 characters.
// Raises Failure(CannotServe) when the system gives no random bits.
std::string NewUrlToken();
std::string UrlToken(std::span<const std::uint8_t> bytes);

// "/<token>/<file name>", as the server compares a request's decoded path.
std::string BookUrlPath(std::string_view token, std::string_view fileName);
// "http://<a.b.c.d>:<port>/<token>/<file name>", the name's UTF-8 percent-encoded.
std::string BookUrl(std::uint32_t host, std::uint16_t port, std::string_view token,
                    std::string_view fileName);
std::string DottedQuad(std::uint32_t address);

// `attachment` with the name twice (RFC 6266): an ASCII stand-in for old clients, every
// character outside ASCII as "_", and the UTF-8 name (RFC 8187) that phones use.
std::string ContentDisposition(std::string_view fileName);

// The addresses a phone may reach, the private ones (10/8, 172.16/12, 192.168/16) first,
// each group in the order given; link-local and other addresses after them.
std::vector<std::uint32_t> LanAddressesFirst(std::vector<std::uint32_t> addresses);

}  // namespace velmora

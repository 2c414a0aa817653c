// The digest the end-to-end tests pin the shipped files with.
#include <gtest/gtest.h>

#include "impronta.h"

namespace gara::prova {
namespace {

TEST(Impronta, Sha256DeiVettoriNoti) {
  // One block, two blocks (the length no longer fits after the tail), and
  // lengths around the block's end.
  const struct {
    std::string byte;
    std::string_view atteso;
  } casi[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : casi) EXPECT_EQ(sha256(c.byte), c.atteso) << c.byte.size() << " byte";
}

}  // namespace
}  // namespace gara::prova

#pragma once

// The Lua scripts the table store runs inside Redis. Keys: "gd:table:<id>"
// (a table's hash: its secret's digest and its row), "gd:by:all", "gd:by:state:<state>", "gd:by:version:<v>",
// "gd:by:both:<state>:<v>" (ids scored by players), "gd:seen" (ids scored by
// the time of their last refresh) and "gd:where" (id to "state\nversion", so
// an expired table can be taken out of the sets it was put in).
namespace TableScripts {

// Removes one id from every ordering set, given the state and version it was
// listed under. Shared by the scripts below.
inline constexpr const char* Unlist = R"lua(
local function unlist(id, where)
  if not where then return end
  local cut = string.find(where, '\n', 1, true)
  local state, version = string.sub(where, 1, cut - 1), string.sub(where, cut + 1)
  redis.call('ZREM', 'gd:by:all', id)
  redis.call('ZREM', 'gd:by:state:' .. state, id)
  redis.call('ZREM', 'gd:by:version:' .. version, id)
  redis.call('ZREM', 'gd:by:both:' .. state .. ':' .. version, id)
end
)lua";

// ARGV: id, secret digest, only-if-listed ("1"/"0"), expiry seconds,
// players, state, version, and the table's row as the list shows it (JSON).
// Returns -1 another secret, 0 not listed, 1 refreshed, 2 newly listed.
inline constexpr const char* Put = R"lua(
local id = ARGV[1]
local key = 'gd:table:' .. id
local secret = redis.call('HGET', key, 'secret')
if secret and secret ~= ARGV[2] then return -1 end
if not secret and ARGV[3] == '1' then return 0 end
local now = tonumber(redis.call('TIME')[1])
local players, state, version = tonumber(ARGV[5]), ARGV[6], ARGV[7]
local where = state .. '\n' .. version
local was = redis.call('HGET', 'gd:where', id)
if was and was ~= where then unlist(id, was) end
redis.call('HSET', key, 'secret', ARGV[2], 'row', ARGV[8])
redis.call('EXPIRE', key, tonumber(ARGV[4]))
redis.call('ZADD', 'gd:by:all', players, id)
redis.call('ZADD', 'gd:by:state:' .. state, players, id)
redis.call('ZADD', 'gd:by:version:' .. version, players, id)
redis.call('ZADD', 'gd:by:both:' .. state .. ':' .. version, players, id)
redis.call('HSET', 'gd:where', id, where)
redis.call('ZADD', 'gd:seen', now, id)
if secret then return 1 end
return 2
)lua";

// ARGV: id, secret digest. Returns -1 another secret, 0 not listed, 1 removed.
inline constexpr const char* Remove = R"lua(
local id = ARGV[1]
local key = 'gd:table:' .. id
local secret = redis.call('HGET', key, 'secret')
if not secret then return 0 end
if secret ~= ARGV[2] then return -1 end
unlist(id, redis.call('HGET', 'gd:where', id))
redis.call('DEL', key)
redis.call('HDEL', 'gd:where', id)
redis.call('ZREM', 'gd:seen', id)
return 1
)lua";

// ARGV: ordering set, offset, limit, expiry seconds. Prunes tables whose hash
// has expired (a bounded number per call, plus any met on the page), then
// returns the set's size, the page's rows joined by commas, and their count.
// The rows are written once, when a table refreshes, so a list of hundreds of
// tables costs Redis one lookup per row and the coordinator one copy.
inline constexpr const char* List = R"lua(
local function forget(id)
  unlist(id, redis.call('HGET', 'gd:where', id))
  redis.call('HDEL', 'gd:where', id)
  redis.call('ZREM', 'gd:seen', id)
end
local now = tonumber(redis.call('TIME')[1])
local gone = redis.call('ZRANGEBYSCORE', 'gd:seen', '-inf', now - tonumber(ARGV[4]), 'LIMIT', 0, 1000)
for _, id in ipairs(gone) do
  if redis.call('EXISTS', 'gd:table:' .. id) == 0 then forget(id) end
end
local first = tonumber(ARGV[2])
local ids = redis.call('ZREVRANGE', ARGV[1], first, first + tonumber(ARGV[3]) - 1)
local rows = {}
for _, id in ipairs(ids) do
  local row = redis.call('HGET', 'gd:table:' .. id, 'row')
  if row then rows[#rows + 1] = row else forget(id) end
end
return {redis.call('ZCARD', ARGV[1]), table.concat(rows, ','), #rows}
)lua";

} // namespace TableScripts

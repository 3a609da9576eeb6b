'use strict'
// Round trips between Quillon and chess.js, a PGN reader and writer we did
// not write.
//
// 1. Quillon's PGN export of generated games, read by chess.js: every move
//    accepted in strict SAN, the same SAN written back, the same final
//    position and the same tags.
// 2. Seeded random games played and written by chess.js, with tags and
//    comments, read by Quillon and written again, read back by chess.js:
//    the same moves.
//
// usage: node roundtrip.js GAME-GENERATOR PGN-NORMALISER

const assert = require('node:assert/strict')
const { execFileSync } = require('node:child_process')
const fs = require('node:fs')
const os = require('node:os')
const path = require('node:path')
const { Chess } = require('chess.js')

const kMinimumGames = 10

// Kinds of SAN that the games together must contain, so the round trip
// cannot pass on games that never castle, promote or mate.
const kRequiredKinds = {
  'king-side castling': (san) => /^O-O[+#]?$/.test(san),
  'queen-side castling': (san) => /^O-O-O[+#]?$/.test(san),
  'promotion without capture': (san) => /^[a-h][18]=Q/.test(san),
  'promotion with capture': (san) => /^[a-h]x[a-h][18]=Q/.test(san),
  'piece move with a file or rank hint': (san) => /^[NBRQ][a-h1-8]x?[a-h][1-8]/.test(san),
  check: (san) => san.endsWith('+'),
  mate: (san) => san.endsWith('#'),
}

function movetextSan(pgn) {
  const movetext = pgn.slice(pgn.indexOf('\n\n') + 2)
  const tokens = movetext.split(/\s+/).filter((token) => token !== '')
  return tokens.slice(0, -1).filter((token) => !/^\d+\.$/.test(token))
}

function checkGame(pgnPath, seenKinds) {
  const pgn = fs.readFileSync(pgnPath, 'utf8')
  const rules = fs.readFileSync(pgnPath.replace(/\.pgn$/, '.rules'), 'utf8').trim().split('\n')
  const expectedPosition = rules[rules.length - 1].split(' ').slice(0, 2).join(' ')
  const exported = movetextSan(pgn)

  const chess = new Chess()
  chess.loadPgn(pgn, { strict: true })

  const history = chess.history()
  assert.deepEqual(history, exported, `${pgnPath}: SAN read back differs`)
  const [placement, sideToMove] = chess.fen().split(' ')
  assert.equal(`${placement} ${sideToMove}`, expectedPosition, `${pgnPath}: final position`)

  const headers = chess.getHeaders()
  assert.equal(headers.Event, 'Quillon game')
  assert.equal(headers.Site, '?')
  assert.equal(headers.Round, '-')
  assert.match(headers.Date, /^\d{4}\.\d{2}\.\d{2}$/)
  assert.match(headers.Result, /^(1-0|0-1|1\/2-1\/2|\*)$/)
  if (headers.Result === '1-0' || headers.Result === '0-1') {
    assert.ok(chess.isCheckmate(), `${pgnPath}: ${headers.Result} without checkmate`)
  }

  for (const [kind, matches] of Object.entries(kRequiredKinds)) {
    if (history.some(matches)) seenKinds.add(kind)
  }
  return history.length
}

const kSeed = 2026
const kGames = 40
const kMaxPlies = 160

// A small seeded generator (mulberry32): the games are the same every run.
function seededRandom(seed) {
  let state = seed >>> 0
  return () => {
    state = (state + 0x6d2b79f5) >>> 0
    let t = state
    t = Math.imul(t ^ (t >>> 15), t | 1)
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61)
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296
  }
}

// Random games without what Quillon does not play (en passant,
// under-promotion; refusing those is the import tests' business), with tags
// and comments.
function playGame(random, number) {
  const chess = new Chess()
  chess.setHeader('Event', 'Random game')
  chess.setHeader('Round', String(number))
  for (let ply = 0; ply < kMaxPlies && !chess.isGameOver(); ++ply) {
    const moves = chess
      .moves({ verbose: true })
      .filter((move) => !move.flags.includes('e') && (!move.promotion || move.promotion === 'q'))
    if (moves.length === 0) break
    chess.move(moves[Math.floor(random() * moves.length)])
    if (random() < 0.1) chess.setComment(`note ${number}`)
  }
  return { pgn: wrapMovetext(chess.pgn()), history: chess.history() }
}

// Lines of at most 79 characters, as files are written. chess.js's own
// wrapping can join a move to the next move number after a comment.
function wrapMovetext(pgn) {
  const split = pgn.indexOf('\n\n')
  const lines = []
  let line = ''
  for (const word of pgn.slice(split + 2).split(' ')) {
    if (line !== '' && line.length + 1 + word.length > 79) {
      lines.push(line)
      line = word
    } else {
      line = line === '' ? word : `${line} ${word}`
    }
  }
  lines.push(line)
  return [pgn.slice(0, split), '', ...lines].join('\n') + '\n'
}

// Quillon reads each game and writes it again; chess.js must read back the
// same moves, up to where Quillon's king-only draw ends a game early.
function checkChessJsGames(normaliser, directory) {
  const random = seededRandom(kSeed)
  const games = []
  for (let number = 1; number <= kGames; ++number) {
    const game = playGame(random, number)
    game.file = path.join(directory, `chessjs-${number}.pgn`)
    fs.writeFileSync(game.file, game.pgn)
    games.push(game)
  }
  execFileSync(normaliser, games.map((game) => game.file), { stdio: 'inherit' })
  let endedEarly = 0
  for (const game of games) {
    const refused = `${game.file}.refused`
    if (fs.existsSync(refused)) assert.fail(`${game.file}: ${fs.readFileSync(refused, 'utf8')}`)
    const chess = new Chess()
    chess.loadPgn(fs.readFileSync(`${game.file}.quillon.pgn`, 'utf8'), { strict: true })
    const readBack = chess.history()
    const early = fs.existsSync(`${game.file}.note`)
    if (early) ++endedEarly
    const expected = early ? game.history.slice(0, readBack.length) : game.history
    assert.deepEqual(readBack, expected, `${game.file}: moves read back differ`)
  }
  console.log(`${games.length} chess.js games read by Quillon and back (${endedEarly} ended early)`)
}

function main() {
  const generator = process.argv[2]
  const normaliser = process.argv[3]
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-pgn-'))
  try {
    execFileSync(generator, [directory], { stdio: 'inherit' })
    const games = fs
      .readdirSync(directory)
      .filter((name) => name.endsWith('.pgn'))
      .map((name) => path.join(directory, name))
    assert.ok(games.length >= kMinimumGames, `only ${games.length} games generated`)

    const seenKinds = new Set()
    let plies = 0
    for (const game of games) plies += checkGame(game, seenKinds)

    const missing = Object.keys(kRequiredKinds).filter((kind) => !seenKinds.has(kind))
    assert.deepEqual(missing, [], 'kinds of SAN that no game contains')
    console.log(`${games.length} games, ${plies} moves read back identically`)
    checkChessJsGames(normaliser, directory)
  } finally {
    fs.rmSync(directory, { recursive: true, force: true })
  }
}

main()

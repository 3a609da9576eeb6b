'use strict'
// Reads Quillon's PGN export of generated games with chess.js, a PGN reader
// we did not write, and checks that it finds the same games: every move
// accepted in strict SAN, the same SAN written back, the same final
// position and the same tags.
//
// usage: node roundtrip.js GAME-GENERATOR

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
  const expectedPosition = fs
    .readFileSync(pgnPath.replace(/\.pgn$/, '.position'), 'utf8')
    .trim()
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

function main() {
  const generator = process.argv[2]
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
  } finally {
    fs.rmSync(directory, { recursive: true, force: true })
  }
}

main()

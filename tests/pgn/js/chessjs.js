'use strict'
// Holds Quillon against chess.js, which we did not write, in the games the
// generator plays through the document.
//
// rules: the games are replayed in chess.js; in every position the board, the
// check and the set of legal moves must agree, and after every move the
// document's check, mate and draw answers must be the ones the rules call
// for. The differences of Quillon's chess are taken into account: it has no
// en-passant capture, it promotes to a queen only, and a side that could
// move only its king on 18 of its turns in a row draws the game.
//
// pgn: Quillon's PGN export of each game is read by chess.js in strict SAN;
// chess.js must write back the same SAN and reach the same final position.
//
// usage: node chessjs.js rules|pgn GAME-GENERATOR

const assert = require('node:assert/strict')
const { execFileSync } = require('node:child_process')
const fs = require('node:fs')
const os = require('node:os')
const path = require('node:path')
const { Chess } = require('chess.js')

const kKingOnlyTurnsToDraw = 18

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

// The endings and moves the games together must reach, so that the check
// cannot pass on games that never get there.
const kRequired = ['check', 'mate', 'stalemate', 'king-only draw', 'castling', 'promotion']

function checkExport(pgnPath, seenKinds) {
  const pgn = fs.readFileSync(pgnPath, 'utf8')
  const rules = fs
    .readFileSync(pgnPath.replace(/\.pgn$/, '.rules'), 'utf8')
    .trim()
    .split('\n')
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
  assert.match(headers.Result, /^(1-0|0-1|1\/2-1\/2|\*)$/)
  if (headers.Result === '1-0' || headers.Result === '0-1') {
    assert.ok(chess.isCheckmate(), `${pgnPath}: ${headers.Result} without checkmate`)
  }

  for (const [kind, matches] of Object.entries(kRequiredKinds)) {
    if (history.some(matches)) seenKinds.add(kind)
  }
  return history.length
}

function quillonMoves(chess) {
  return chess
    .moves({ verbose: true })
    .filter((move) => !move.flags.includes('e') && (!move.promotion || move.promotion === 'q'))
}

const moveName = (move) => move.from + move.to

function checkRules(file, seen) {
  const chess = new Chess()
  const kingOnlyRun = { w: 0, b: 0 }
  let drawn = false
  let replies = null
  const lines = fs.readFileSync(file, 'utf8').trim().split('\n')
  for (let i = 0; i < lines.length; i += 2) {
    const where = `${file}, position ${i / 2 + 1}`
    const [placement, side, check, ...engineMoves] = lines[i].split(' ')
    assert.equal(`${placement} ${side}`, chess.fen().split(' ').slice(0, 2).join(' '), where)
    assert.equal(check === '+', chess.inCheck(), `${where}: check`)
    const moves = replies ?? quillonMoves(chess)
    assert.deepEqual(engineMoves.sort(), moves.map(moveName).sort(), `${where}: legal moves`)
    if (i + 1 >= lines.length) {
      assert.ok(moves.length === 0 || drawn, `${where}: the game stopped while it could go on`)
      break
    }
    const [word, played, answers] = lines[i + 1].split(' ')
    assert.equal(word, 'played', `${where}: ${lines[i + 1]}`)
    const move = moves.find((candidate) => moveName(candidate) === played)
    if (move.flags.includes('k') || move.flags.includes('q')) seen.add('castling')
    if (move.promotion) seen.add('promotion')
    chess.move(move)
    replies = quillonMoves(chess)
    const mate = chess.inCheck() && replies.length === 0
    const turn = chess.turn()
    if (!mate && !drawn) {
      const kingOnly = replies.length > 0 && replies.every((reply) => reply.piece === 'k')
      kingOnlyRun[turn] = kingOnly ? kingOnlyRun[turn] + 1 : 0
      if (replies.length === 0) seen.add('stalemate')
      if (kingOnlyRun[turn] === kKingOnlyTurnsToDraw) seen.add('king-only draw')
      drawn = replies.length === 0 || kingOnlyRun[turn] === kKingOnlyTurnsToDraw
    }
    if (chess.inCheck()) seen.add('check')
    if (mate) seen.add('mate')
    const expected = `${Number(chess.inCheck())}${Number(mate)}${Number(drawn)}`
    assert.equal(answers, expected, `${where}: ${played} check, mate, draw`)
  }
  return lines.length
}

function main() {
  const [mode, generator] = process.argv.slice(2)
  const [suffix, check, required] =
    mode === 'pgn'
      ? ['.pgn', checkExport, Object.keys(kRequiredKinds)]
      : ['.rules', checkRules, kRequired]
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-chessjs-'))
  try {
    execFileSync(generator, [directory], { stdio: 'inherit' })
    const files = fs.readdirSync(directory).filter((name) => name.endsWith(suffix))
    assert.ok(files.length > 0, 'no games generated')
    const seen = new Set()
    let count = 0
    for (const file of files) count += check(path.join(directory, file), seen)
    assert.deepEqual(
      required.filter((kind) => !seen.has(kind)),
      [],
      'never reached',
    )
    console.log(
      `${files.length} games, ${count} ${mode === 'pgn' ? 'moves' : 'lines'} agree with chess.js`,
    )
  } finally {
    fs.rmSync(directory, { recursive: true, force: true })
  }
}

main()

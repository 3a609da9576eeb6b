'use strict'
// Holds Quillon's rules against chess.js, which we did not write. The games
// Quillon plays are replayed in chess.js; in every position the board, the
// check and the set of legal moves must agree, and after every move the
// document's check, mate and draw answers must be the ones the rules call
// for. The differences of Quillon's chess are taken into account: it has no
// en-passant capture, it promotes to a queen only, and a side that could
// move only its king on 18 of its turns in a row draws the game.
//
// usage: node rules.js GAME-GENERATOR

const assert = require('node:assert/strict')
const { execFileSync } = require('node:child_process')
const fs = require('node:fs')
const os = require('node:os')
const path = require('node:path')
const { Chess } = require('chess.js')

const kKingOnlyTurnsToDraw = 18

// The endings and moves the games together must reach, so that the check
// cannot pass on games that never get there.
const kRequired = ['check', 'mate', 'stalemate', 'king-only draw', 'castling', 'promotion']

function quillonMoves(chess) {
  return chess
    .moves({ verbose: true })
    .filter((move) => !move.flags.includes('e') && (!move.promotion || move.promotion === 'q'))
}

const moveName = (move) => move.from + move.to

function checkGame(file, seen) {
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
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-rules-'))
  try {
    execFileSync(process.argv[2], [directory], { stdio: 'inherit' })
    const files = fs.readdirSync(directory).filter((name) => name.endsWith('.rules'))
    assert.ok(files.length > 0, 'no games generated')
    const seen = new Set()
    let lines = 0
    for (const file of files) lines += checkGame(path.join(directory, file), seen)
    assert.deepEqual(kRequired.filter((kind) => !seen.has(kind)), [], 'never reached')
    console.log(`${files.length} games, ${Math.ceil(lines / 2)} positions agree with chess.js`)
  } finally {
    fs.rmSync(directory, { recursive: true, force: true })
  }
}

main()

// What a gallery must show, read from the album folder it was made from: the title of the album
// file and, in album order, every picture of the picture list with its caption. The source
// pictures' upright shapes come from exiftool (size and EXIF orientation).
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');

function lines(file) {
  return fs.readFileSync(file, 'utf8').split(/\r\n|\n|\r/);
}

// The fields of a "|"-separated line as the program splits them: runs of "|" count as one and
// there are no empty fields.
function fields(line) {
  return line.split('|').filter((field) => field.length > 0).map((field) => field.trim());
}

function readTitle(folder) {
  let inSection = false;
  for (const line of lines(path.join(folder, 'Bildano.ini'))) {
    const section = line.match(/^\s*\[(.*)\]\s*$/);
    if (section) inSection = section[1].trim().toUpperCase() === 'BILDANO';
    const entry = line.match(/^\s*([^=]+?)\s*=(.*)$/);
    if (inSection && entry && entry[1].toUpperCase() === 'TITEL') return entry[2].trim();
  }
  return '';
}

// The upright width and height of each file: EXIF orientations 5 to 8 stand the stored picture
// on its side.
function uprightSizes(files) {
  const out = execFileSync('exiftool', ['-q', '-j', '-n', '-ImageWidth', '-ImageHeight', '-Orientation', ...files]);
  const byFile = new Map(JSON.parse(out).map((info) => [info.SourceFile, info]));
  return files.map((file) => {
    const info = byFile.get(file);
    if (!info || !info.ImageWidth) throw new Error(`exiftool could not read ${file}`);
    const turned = info.Orientation >= 5 && info.Orientation <= 8;
    return turned ? { width: info.ImageHeight, height: info.ImageWidth } : { width: info.ImageWidth, height: info.ImageHeight };
  });
}

// { title, pictures: [{ file, caption, upright: { width, height } }] }
function readAlbum(folder) {
  const pictures = [];
  for (const line of lines(path.join(folder, 'Pictures.ini'))) {
    const [name, caption = ''] = fields(line);
    const file = name && path.join(folder, name);
    if (file && fs.existsSync(file)) pictures.push({ file, caption });
  }
  if (!pictures.length) throw new Error(`${folder}: the picture list names no picture`);
  uprightSizes(pictures.map((picture) => picture.file)).forEach((size, i) => { pictures[i].upright = size; });
  return { title: readTitle(folder), pictures };
}

module.exports = { readAlbum };

#!/usr/bin/env node
// Writes places.tsv, the cadastral codes of the Italian municipalities (present and dissolved) and of
// the foreign countries, from the npm data package @marketto/belfiore-connector-embedded.
//
//   npm install --prefix /tmp/places @marketto/belfiore-connector-embedded@1.2.1
//   node src/rules/data/make_places.js /tmp/places/node_modules [yyyy-mm-dd] > src/rules/data/places.tsv
//
// The date is the package version's publication date; it may be left out for the version named above.
//
// The program reads only places.tsv (a resource of the rules library); this script and the package are
// needed only to bring the table up to date.
'use strict';

const path = require('path');
const fs = require('fs');

const modules = path.resolve(process.argv[2] || 'node_modules');
const pkgDir = path.join(modules, '@marketto', 'belfiore-connector-embedded');
const pkg = JSON.parse(fs.readFileSync(path.join(pkgDir, 'package.json'), 'utf8'));
const places = require(pkgDir).default;

// A few names in the package were decoded twice (UTF-8 read as Latin-1); they are read back once more.
// Where the second byte of a final "à" (a no-break space) was trimmed away, the "à" is put back; one more
// name lost its letter another way and is mended by hand.
const mended = new Map([['Santa Maria la Carit\u0102', 'Santa Maria la Carit\u00e0']]);
function mend(name) {
    if (mended.has(name))
        return mended.get(name);
    name = name.replace(/\u00c3$/, '\u00e0');
    if (/\u00c3/.test(name)) {
        const again = Buffer.from(name, 'latin1').toString('utf8');
        if (!again.includes('\ufffd'))
            return again;
    }
    return name;
}

const day = (d) => d.toISOString().slice(0, 10);

// The package's publication date, as the registry gives it (`npm view <package> time`).
const knownDates = new Map([['1.2.1', '2024-11-07']]);
const published = process.argv[3] || knownDates.get(pkg.version);
if (!published) {
    console.error(`give the publication date of ${pkg.name} ${pkg.version} as the second argument`);
    process.exit(1);
}

(async () => {
    const all = await places.toArray();
    const rows = [];
    const seen = new Set();
    for (const p of all) {
        const code = p.belfioreCode;
        if (!/^[A-Z][0-9]{3}$/.test(code))
            throw new Error(`unexpected code ${code}`);
        if (seen.has(code))
            throw new Error(`code ${code} twice`);
        seen.add(code);
        const country = code.startsWith('Z');
        const province = country ? 'EE' : p.province;
        if (!/^[A-Z]{2}$/.test(province || ''))
            throw new Error(`no province for ${code}`);
        const name = mend(p.name).replace(/[\t\r\n]/g, ' ').trim();
        const from = p.creationDate ? day(p.creationDate) : '';
        const until = p.expirationDate && p.expirationDate.getUTCFullYear() < 9999 ? day(p.expirationDate) : '';
        rows.push([code, name, province, from, until].join('\t'));
    }
    rows.sort();
    const cities = rows.filter((r) => !r.startsWith('Z')).length;
    const licences = [...new Set(all.map((p) => `${p.dataSource.name} (${p.dataSource.license})`))].sort();
    const stat = fs.statSync(path.join(pkgDir, 'package.json'));
    const out = [
        '# Cadastral codes of the Italian municipalities, present and dissolved, and of the foreign countries.',
        `# Made by src/rules/data/make_places.js from the npm package ${pkg.name} ${pkg.version}`,
        `# (package licence ${pkg.license}; published ${published}).`,
        `# Data: ${licences.join('; ')}.`,
        `# ${cities} municipalities, ${rows.length - cities} countries.`,
        '# Columns: code, name, province ("EE" for a foreign country), in existence from, until (empty: still',
        '# in existence); dates are yyyy-mm-dd.',
        ...rows,
    ];
    process.stdout.write(out.join('\n') + '\n');
})().catch((e) => {
    console.error(e);
    process.exit(1);
});

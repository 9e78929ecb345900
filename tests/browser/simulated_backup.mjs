// A blog of the service simulator backed up by the terminal front end, as a person would run them.
import { execFile, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { once } from 'node:events';
import { promisify } from 'node:util';

const runProgram = promisify(execFile);

function requiredProgram(variable) {
  const program = process.env[variable];
  if (!program) throw new Error(`${variable} must name the built program (CTest sets it)`);
  return program;
}

// The simulator prints the http_proxy value as its first line once it listens.
async function startSimulator(simulatorPath, blog, shape) {
  const options = ['--blog', blog.id, '--password', blog.password, '--title', blog.title, '--idle-exit', '300'];
  for (const [name, value] of Object.entries(shape)) options.push(`--${name}`, String(value));
  const simulator = spawn(simulatorPath, options, { stdio: ['ignore', 'pipe', 'pipe'] });
  let errors = '';
  simulator.stderr.on('data', (chunk) => (errors += chunk));
  try {
    const proxy = await new Promise((resolve, reject) => {
      let output = '';
      const timer = setTimeout(() => reject(new Error(`the simulator did not start: ${errors}`)), 30_000);
      simulator.stdout.on('data', (chunk) => {
        output += chunk;
        const lines = output.split('\n');
        if (lines.length > 1) {
          clearTimeout(timer);
          resolve(lines[0].trim());
        }
      });
      simulator.on('exit', (code) => {
        clearTimeout(timer);
        reject(new Error(`the simulator ended (${code}): ${errors}`));
      });
    });
    simulator.removeAllListeners('exit');
    return { simulator, proxy };
  } catch (error) {
    simulator.kill('SIGKILL');
    throw error;
  }
}

async function stopSimulator(simulator) {
  if (simulator.exitCode !== null || simulator.signalCode !== null) return;
  const ended = once(simulator, 'exit');
  simulator.kill('SIGTERM');
  await ended;
}

// Backs up the blog into a fresh folder. Returns the archive folder and a function that removes it.
export async function backUpSimulatedBlog(blog, shape) {
  const { simulator, proxy } = await startSimulator(requiredProgram('PLIMO_SIM'), blog, shape);
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'plimo-browser-'));
  try {
    await runProgram(
      requiredProgram('PLIMO_BACKUP'),
      ['--id', blog.id, '--out', folder, '--no-open', '--quiet'],
      {
        env: { ...process.env, PLIMO_PASSWORD: blog.password, http_proxy: proxy, no_proxy: '', NO_PROXY: '' },
        timeout: 150_000,
      },
    );
  } catch (error) {
    fs.rmSync(folder, { recursive: true, force: true });
    throw new Error(`plimo-backup failed: ${error.message}\n${error.stderr ?? ''}`);
  } finally {
    await stopSimulator(simulator);
  }
  return {
    archive: path.join(folder, '블로그백업'),
    remove: () => fs.rmSync(folder, { recursive: true, force: true }),
  };
}
